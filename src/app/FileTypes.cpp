#include "app/FileTypes.h"

namespace FileTypes {

FileType pText;
FileType pPREF;
FileType pAny;

void _Initialize() {
    pText = {QStringLiteral("text"), QStringLiteral("TEXT"), QStringLiteral("R*ch"), QString()};
    pPREF = {QStringLiteral("PREF"), QStringLiteral("PREF"), QStringLiteral("dEzo"), QString()};
    pAny = {QStringLiteral("any"), QStringLiteral("????"), QStringLiteral("????"), QString()};
}

} // namespace FileTypes

#pragma once

#include <QString>

// The kinds of files the launcher names, made once at start: "text", "PREF" (the kind of
// the preferences file) and "any" (any file, application or folder). Nothing reads them on
// this desktop: files carry no type and creator codes, so the preferences file is written
// as plain bytes, and drops and open-file dialogs take any local file or folder without
// consulting "any".
struct FileType {
    QString Name;
    QString MacType;
    QString MacCreator;
    QString Extensions;
};

namespace FileTypes {
extern FileType pText;
extern FileType pPREF;
extern FileType pAny;
void _Initialize();
} // namespace FileTypes

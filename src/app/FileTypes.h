#pragma once

#include <QString>

// The kinds of files the launcher names: "text" (unused), "PREF" (the preferences file) and
// "any" (any file, application or folder: the filter of drops and open-file dialogs).
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

#pragma once

// The applications the user's menus show, found as the desktop finds them.

#include "platform/FolderItem.h"

#include <QStringList>
#include <vector>

// Every applications folder, earliest first: $XDG_DATA_HOME/applications (default
// ~/.local/share/applications), then DIR/applications for each DIR of $XDG_DATA_DIRS
// (default /usr/local/share:/usr/share). They need not exist.
QStringList ApplicationFolders();

// One file per desktop-file ID (a file's path below its folder with '/' turned into '-'),
// from the earliest folder that has that ID, subfolders included, sorted by ID. Every file
// is listed, whatever its name or kind; the caller decides which to take.
std::vector<FolderItem> ApplicationEntries();

// The Applications folder where a real folder is needed (the open-file dialog): the first
// of the applications folders that exists. Null when none does.
FolderItem ApplicationsFolderMBS(int domain = 0);

#pragma once

#include "launcher/LauncherComposition.h"
#include "store/AppListClass.h"

#include <QString>
#include <vector>

class Database;

// The loading of launcher windows' items, apart from the windows: from each window's plain
// settings the rows are read, the icons fitted and the pictures composed on the pool, and
// plain results come back for the GUI thread to apply. No widget is touched.
namespace LauncherLoad {

struct Settings {
    qint64 uid = 0;
    // What the window is composed with: its width, icon size, views, name, colour, device
    // ratio, shape and the screen's width. Items and cache are the load's own.
    LauncherComposition::Input compose;
};

struct Result {
    bool ok = false;
    QString error;                           // the engine's message when the rows could not be read
    AppListArray items;                      // in display order
    LauncherComposition::FittedCache fitted; // the fitted icons of the items shown
    // Composed from the items and the settings; a window without items shows its title band
    // and backpanel whatever its settings say.
    LauncherComposition::Output out;
};

// Each window's rows are read on a read-only connection of its own (when the caller has
// nothing uncommitted), its icons fitted as its rows come, and it is composed once they are
// all fitted. Called from outside the pool; results in the order of `windows`.
std::vector<Result> Load(const std::vector<Settings>& windows, Database& db);

} // namespace LauncherLoad

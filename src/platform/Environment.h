#pragma once

#include <QString>
#include <QStringList>

// The folders the launcher reads and writes, after the XDG base directories. The application
// context holds them, taken from the process environment at start; tests and benchmarks give
// their own context theirs. Nothing else reads the environment for a path.
struct Environment {
    QString Home;
    QString ConfigHome;          // XDG_CONFIG_HOME, else ~/.config (the preferences folder)
    QStringList ConfigDirs;      // XDG_CONFIG_DIRS, else /etc/xdg
    QString DataHome;            // XDG_DATA_HOME, else ~/.local/share
    QStringList DataDirs;        // XDG_DATA_DIRS, else /usr/local/share and /usr/share
    QString RuntimeDir;          // XDG_RUNTIME_DIR; empty when unset
    QStringList CurrentDesktops; // XDG_CURRENT_DESKTOP, most specific first; empty when unset

    // The folders the process environment names, with the defaults for those it leaves out.
    // A relative folder is ignored, as the base directories say: in a list only that entry,
    // and a list left empty takes its defaults.
    static Environment FromProcess();
    // The one in use: the one the application context holds (use), else the process's,
    // taken on first use.
    static const Environment& current();
    // Points current() at folders held elsewhere (the application context, for its life);
    // returns what it pointed at before.
    static const Environment* use(const Environment* environment);
};

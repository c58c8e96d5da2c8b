#pragma once

#include <QString>

// True when a file name ends in ".desktop", letter case ignored.
bool isDesktopEntryName(const QString& fileName);

// What the launcher needs of a desktop entry, read by GIO's desktop-entry reader.
struct DesktopEntry {
    bool loaded = false;     // a valid entry of Type=Application
    bool noDisplay = false;  // NoDisplay=true
    bool hidden = false;     // Hidden=true
    bool launchable = false; // an Exec GIO can run, or DBusActivatable=true
    // OnlyShowIn and NotShowIn allow it on the current desktops (Environment), as the menus
    // decide: the first current desktop either list names decides, else OnlyShowIn's absence.
    bool shownOnCurrentDesktop = true;
    QString name; // localised Name
    QString icon; // Icon, as written: a path or a theme name

    static DesktopEntry read(const QString& path);
};

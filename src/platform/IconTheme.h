#pragma once

// Icons looked up as GTK applications look them up: the icon theme the desktop configures,
// the themes it inherits, then Adwaita, then hicolor, then the unthemed pixmaps folders.

#include <QImage>
#include <QString>
#include <QStringList>

// The theme the desktop configures: a GSettings org.gnome.desktop.interface icon-theme the
// user has set, else gtk-icon-theme-name of gtk-3.0/settings.ini, else Qt's platform theme.
// Only installed themes count; empty when none names one.
QString ConfiguredIconTheme();

// The theme a GSettings org.gnome.desktop.interface icon-theme value names, when that schema
// is in the source and a value has been set there (the schema's default is not a choice of
// the desktop); empty otherwise, and when the source is null. A null backend is GIO's own.
typedef struct _GSettingsSchemaSource GSettingsSchemaSource;
typedef struct _GSettingsBackend GSettingsBackend;
QString GSettingsIconTheme(GSettingsSchemaSource* source, GSettingsBackend* backend = nullptr);

// The themes searched, in order: the configured one, its Inherits (depth first), Adwaita,
// hicolor; each installed theme once. Worked out again only when the theme setting (or
// the folders themes live in) changes.
QStringList IconThemeChain();

// Called once at start-up, before any icon is asked for: remembers Qt's platform theme and
// points Qt's own icon lookups at the configured theme, with Adwaita as its fallback.
void SetUpIconTheme();

// The icon a desktop entry's Icon value names (an absolute path, a theme name, or a name
// with an image extension), drawn to fit size x size at device pixel ratio 1: the theme's
// best size for it, scalable icons drawn at that size, others scaled smoothly. Null when
// nothing is found.
QImage ThemedIconImage(const QString& icon, int size);

// How often the lookups went to the file system: a name searched through the themes, an
// icon file decoded. Each is done once per distinct name and file while the theme setting
// stays the same (the chain, the name's file, a miss too, are kept until it changes).
struct IconLookupCounts {
    qint64 searches = 0;
    qint64 decodes = 0;
};
IconLookupCounts IconLookupCountsSoFar();

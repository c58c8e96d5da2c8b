#include "platform/DesktopEntry.h"

#include "platform/Environment.h"
#include "platform/FolderItem.h"

#include <gio/gdesktopappinfo.h>
#include <optional>

namespace {

// GLib's own rule (g_desktop_app_info_get_show_in), over the desktops of the environment in
// use rather than the ones the process started with.
bool shownOn(GDesktopAppInfo* info, const QStringList& desktops) {
    gchar** only = g_desktop_app_info_get_string_list(info, "OnlyShowIn", nullptr);
    gchar** never = g_desktop_app_info_get_string_list(info, "NotShowIn", nullptr);
    const auto names = [](gchar** list, const QByteArray& desktop) {
        return list && g_strv_contains(list, desktop.constData());
    };
    std::optional<bool> decided;
    for (const QString& d : desktops) {
        const QByteArray desktop = d.toUtf8();
        if (names(never, desktop))
            decided = false;
        else if (names(only, desktop))
            decided = true;
        if (decided)
            break;
    }
    const bool shown = decided.value_or(only == nullptr);
    g_strfreev(only);
    g_strfreev(never);
    return shown;
}

} // namespace

bool isDesktopEntryName(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive);
}

DesktopEntry DesktopEntry::read(const QString& path) {
    DesktopEntry e;
    const QByteArray file = NativePath(path);
    // Read from its key file rather than by name: given a file name, GIO looks for the entry's
    // ID among every entry of the applications folders, under one lock for the process, which
    // made a first run over 20,000 entries take minutes. What is read here needs no ID.
    GKeyFile* keys = g_key_file_new();
    const bool parsed = g_key_file_load_from_file(keys, file.constData(), G_KEY_FILE_NONE, nullptr);
    GDesktopAppInfo* info = parsed ? g_desktop_app_info_new_from_keyfile(keys) : nullptr;
    g_key_file_unref(keys);
    if (!info)
        return e;
    e.loaded = true;
    e.noDisplay = g_desktop_app_info_get_nodisplay(info);
    e.hidden = g_desktop_app_info_get_is_hidden(info);
    e.shownOnCurrentDesktop = shownOn(info, Environment::current().CurrentDesktops);
    if (const char* n = g_app_info_get_name(G_APP_INFO(info)))
        e.name = BoundedName(QString::fromUtf8(n));
    // An Exec that GIO cannot read (not UTF-8, or missing) can never be launched, unless the
    // application is started over D-Bus.
    e.launchable = g_app_info_get_commandline(G_APP_INFO(info)) ||
                   g_desktop_app_info_get_boolean(info, "DBusActivatable");
    if (char* icon = g_desktop_app_info_get_string(info, "Icon")) {
        e.icon = QString::fromUtf8(icon);
        g_free(icon);
    }
    g_object_unref(info);
    return e;
}

#include "platform/Environment.h"

#include <QDir>
#include <QFile>
#include <pwd.h>
#include <unistd.h>
#include <utility>

namespace {

QString Variable(const char* name) {
    return QFile::decodeName(qgetenv(name));
}

// A relative folder is one the base directories call invalid: ignored, as if unset.
QString Folder(const char* name, const QString& fallback) {
    const QString value = Variable(name);
    return QDir::isAbsolutePath(value) ? value : fallback;
}

// The absolute folders of a list; the defaults when it names none.
QStringList Folders(const char* name, const QString& fallback) {
    QStringList folders = Variable(name).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders.removeIf([](const QString& folder) { return !QDir::isAbsolutePath(folder); });
    return folders.isEmpty() ? fallback.split(QLatin1Char(':'), Qt::SkipEmptyParts) : folders;
}

QString HomeFromUserDatabase() {
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
        return QFile::decodeName(pw->pw_dir);
    return QDir::homePath();
}

const Environment* inUse = nullptr;

} // namespace

Environment Environment::FromProcess() {
    Environment e;
    // Without HOME, the home folder the system's user database gives (as GLib finds it),
    // not the root folder Qt falls back to.
    e.Home = qEnvironmentVariableIsEmpty("HOME") ? HomeFromUserDatabase() : QDir::homePath();
    e.ConfigHome = Folder("XDG_CONFIG_HOME", e.Home + QStringLiteral("/.config"));
    e.ConfigDirs = Folders("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    e.DataHome = Folder("XDG_DATA_HOME", e.Home + QStringLiteral("/.local/share"));
    e.DataDirs = Folders("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    e.RuntimeDir = Folder("XDG_RUNTIME_DIR", QString());
    e.CurrentDesktops = Variable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return e;
}

const Environment& Environment::current() {
    if (inUse)
        return *inUse;
    static const Environment process = FromProcess();
    return process;
}

const Environment* Environment::use(const Environment* environment) {
    return std::exchange(inUse, environment);
}

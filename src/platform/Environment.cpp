#include "platform/Environment.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace {

QString Variable(const char* name, const QString& fallback) {
    const QString value = QFile::decodeName(qgetenv(name));
    return value.isEmpty() ? fallback : value;
}

QString Folder(const char* name, const QString& fallback) {
    const QString value = Variable(name, QString());
    return QDir::isAbsolutePath(value) ? value : fallback;
}

QStringList Folders(const char* name, const QString& fallback) {
    return Variable(name, fallback).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

std::optional<Environment>& Slot() {
    static std::optional<Environment> environment;
    return environment;
}

} // namespace

Environment Environment::FromProcess() {
    Environment e;
    e.Home = QDir::homePath();
    e.ConfigHome = Folder("XDG_CONFIG_HOME", e.Home + QStringLiteral("/.config"));
    e.ConfigDirs = Folders("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    e.DataHome = Variable("XDG_DATA_HOME", e.Home + QStringLiteral("/.local/share"));
    e.DataDirs = Folders("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    e.RuntimeDir = Variable("XDG_RUNTIME_DIR", QString());
    return e;
}

const Environment& Environment::current() {
    if (!Slot())
        Slot() = FromProcess();
    return *Slot();
}

void Environment::set(Environment environment) {
    Slot() = std::move(environment);
}

#include "platform/Applications.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <dirent.h>
#include <sys/stat.h>

namespace {

QString EnvPath(const char* name, const QString& fallback) {
    const QString value = QFile::decodeName(qgetenv(name));
    return value.isEmpty() ? fallback : value;
}

// Walks a folder with the system's own calls: Qt's listing drops names that are not UTF-8.
// Links are followed to files, never into folders (no loops).
void Collect(const QByteArray& folder, const QString& idPrefix, QMap<QString, FolderItem>& byId,
             int depth) {
    if (depth > 16)
        return;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0)
            continue;
        const QString id = idPrefix + PathFromNative(name);
        if (S_ISDIR(st.st_mode)) {
            Collect(path, id + QLatin1Char('-'), byId, depth + 1);
            continue;
        }
        if (!byId.contains(id))
            byId.insert(id, FolderItem(PathFromNative(path)));
    }
    ::closedir(dir);
}

} // namespace

QStringList ApplicationFolders() {
    QStringList out{EnvPath("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share")) +
                    QStringLiteral("/applications")};
    for (const QString& dir :
         EnvPath("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"))
             .split(QLatin1Char(':'), Qt::SkipEmptyParts))
        out << QDir::cleanPath(dir) + QStringLiteral("/applications");
    out.removeDuplicates();
    return out;
}

std::vector<FolderItem> ApplicationEntries() {
    QMap<QString, FolderItem> byId; // sorted by ID; the first folder to give an ID keeps it
    for (const QString& folder : ApplicationFolders())
        Collect(NativePath(QDir::cleanPath(folder)), QString(), byId, 0);
    return {byId.cbegin(), byId.cend()};
}

#include "platform/Applications.h"

#include "platform/Environment.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <dirent.h>
#include <sys/stat.h>

namespace {

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
    const Environment& env = Environment::current();
    QStringList out{env.DataHome + QStringLiteral("/applications")};
    for (const QString& dir : env.DataDirs)
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

FolderItem ApplicationsFolderMBS(int) {
    for (const QString& folder : ApplicationFolders())
        if (QFileInfo(folder).isDir())
            return FolderItem(folder);
    return {};
}

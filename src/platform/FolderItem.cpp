#include "platform/FolderItem.h"

#include "platform/Desktop.h"
#include "platform/DesktopEntry.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

FolderItem::FolderItem(const QString& absolutePath) {
    if (absolutePath.isEmpty())
        return;
    // Keep the path as the file system gives it; only make it absolute and tidy.
    m_path = QDir::cleanPath(QFileInfo(absolutePath).absoluteFilePath());
}

bool FolderItem::Exists() const {
    if (isNull())
        return false;
    const QFileInfo info(m_path);
    return info.exists() || info.isSymLink();
}

bool FolderItem::Directory() const {
    return !isNull() && QFileInfo(m_path).isDir();
}

QString FolderItem::Name() const {
    if (m_path == QLatin1String("/"))
        return m_path;
    return QFileInfo(m_path).fileName();
}

QString FolderItem::DisplayName() const {
    if (isDesktopEntryName(Name())) {
        const DesktopEntry entry = DesktopEntry::read(m_path);
        if (entry.loaded && !entry.name.isEmpty())
            return entry.name;
    }
    return Name();
}

FolderItem FolderItem::Parent() const {
    if (isNull() || m_path == QLatin1String("/"))
        return {};
    return FolderItem(QFileInfo(m_path).absolutePath());
}

FolderItem FolderItem::Child(const QString& name) const {
    if (isNull())
        return {};
    return FolderItem(m_path + QLatin1Char('/') + name);
}

std::vector<FolderItem> FolderItem::Entries() const {
    std::vector<FolderItem> out;
    if (!Directory())
        return out;
    const QDir dir(m_path);
    const QStringList names = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    out.reserve(size_t(names.size()));
    for (const QString& n : names)
        out.emplace_back(dir.filePath(n));
    return out;
}

bool FolderItem::CreateAsFolder() const {
    return !isNull() && QDir().mkpath(m_path);
}

LaunchResult FolderItem::Launch(bool) const {
    return Desktop::instance().launch(m_path);
}

bool IsRegularFile(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

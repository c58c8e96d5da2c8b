#include "platform/FolderItem.h"

#include "platform/Desktop.h"
#include "platform/DesktopEntry.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FolderItem::FolderItem(const QString& absolutePath) {
    if (absolutePath.isEmpty())
        return;
    // Keep the path as the file system gives it; only make it absolute and tidy.
    m_path = QDir::cleanPath(QFileInfo(absolutePath).absoluteFilePath());
}

bool FolderItem::Exists() const {
    struct stat st {};
    return !isNull() && ::lstat(NativePath(m_path).constData(), &st) == 0;
}

bool FolderItem::Directory() const {
    struct stat st {};
    return !isNull() && ::stat(NativePath(m_path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
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

QString BoundedName(const QString& name) {
    if (name.size() <= MaxNameLength)
        return name;
    qsizetype n = MaxNameLength;
    if (name[n - 1].isHighSurrogate())
        --n;
    return name.left(n);
}

bool IsRegularFile(const QString& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(NativePath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {
constexpr uint EscapeBase = 0xF700;

// The length of the valid UTF-8 sequence at bytes[i], or 0 when it is not one.
int Utf8SequenceAt(const QByteArray& bytes, qsizetype i) {
    const auto at = [&](qsizetype k) { return uchar(bytes[k]); };
    const uchar lead = at(i);
    if (lead < 0x80)
        return 1;
    int n = 0;
    uint cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + n > bytes.size())
        return 0;
    for (int k = 1; k < n; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (at(i + k) & 0x3F);
    }
    const uint least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    // Characters of the escape range are escaped themselves, byte by byte, so that every
    // name maps to one text and back.
    if (cp >= EscapeBase + 0x80 && cp <= EscapeBase + 0xFF)
        return 0;
    return n;
}

bool IsEscapedByte(char16_t c) {
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF;
}
} // namespace

QString PathFromNative(const QByteArray& bytes) {
    QString out;
    qsizetype run = 0; // start of the valid stretch not yet decoded
    for (qsizetype i = 0; i < bytes.size();) {
        const int n = Utf8SequenceAt(bytes, i);
        if (n > 0) {
            i += n;
            continue;
        }
        out += QString::fromUtf8(bytes.mid(run, i - run));
        out += QChar(char16_t(EscapeBase + uchar(bytes[i])));
        run = ++i;
    }
    out += QString::fromUtf8(bytes.mid(run));
    return out;
}

QByteArray NativePath(const QString& path) {
    QByteArray out;
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        if (!IsEscapedByte(c))
            continue;
        out += QStringView(path).mid(run, i - run).toUtf8();
        out += char(c - EscapeBase);
        run = i + 1;
    }
    out += QStringView(path).mid(run).toUtf8();
    return out;
}

bool RenameIntoPlace(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    bool renamed = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(),
                               RENAME_NOREPLACE) == 0;
    if (!renamed && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without an exclusive rename: a hard link never replaces either.
        renamed = ::link(source.constData(), target.constData()) == 0;
        if (renamed)
            ::unlink(source.constData());
    }
    if (!renamed)
        return false;
    // The rename itself must reach the disk, or a power loss could forget it.
    const QByteArray folder = QFile::encodeName(QFileInfo(to).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

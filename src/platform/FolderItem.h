#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

struct LaunchResult;

// A file or folder named by its absolute path; it may or may not exist.
class FolderItem {
public:
    FolderItem() = default;
    explicit FolderItem(const QString& absolutePath);

    bool isNull() const { return m_path.isEmpty(); }
    bool Exists() const;
    bool Directory() const;
    QString AbsolutePath() const { return m_path; }
    QString Name() const;
    // A desktop entry's (localised) Name; otherwise the file name.
    QString DisplayName() const;
    FolderItem Parent() const; // null for the root folder
    FolderItem Child(const QString& name) const;
    // The folder's entries sorted by name, hidden ones included.
    std::vector<FolderItem> Entries() const;
    bool CreateAsFolder() const;
    // Opens the item through the desktop (see Desktop::launch).
    LaunchResult Launch(bool activate = true) const;

    bool operator==(const FolderItem& other) const { return m_path == other.m_path; }

private:
    QString m_path;
};

// Paths are bytes on Linux and need not be UTF-8; Qt's own decoding turns the bytes it
// cannot decode into U+FFFD and loses them (and its folder listings drop such names). Here
// each such byte b becomes the private-use character U+F700 + b, which survives storage as
// text, and NativePath gives the bytes back; a name that holds such characters itself has
// them escaped byte by byte, so the mapping is one to one.
QString PathFromNative(const QByteArray& bytes);
QByteArray NativePath(const QString& path);

// A name as it is kept and stored: at most MaxNameLength characters (never half a
// character). A name from a desktop entry or another tool may be of any length, and the
// windows lay every name out again at each start.
constexpr qsizetype MaxNameLength = 255;
QString BoundedName(const QString& name);

// True when the path names a regular file (after links). Only such files are read: a FIFO,
// socket or device in a file's place would block the reader or feed it garbage.
bool IsRegularFile(const QString& path);

// Renames a finished file to its final name, never over an existing file, and makes the
// rename durable. False when it could not be done (the final name exists, the disk failed).
bool RenameIntoPlace(const QString& from, const QString& to);

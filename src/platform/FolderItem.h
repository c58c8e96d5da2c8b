#pragma once

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

// True when the path names a regular file (after links). Only such files are read: a FIFO,
// socket or device in a file's place would block the reader or feed it garbage.
bool IsRegularFile(const QString& path);

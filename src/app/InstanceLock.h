#pragma once

#include <QString>
#include <memory>

// One running copy per user. The lock lives in $XDG_RUNTIME_DIR when that folder exists
// and is ours, else in our folder of the user's Preferences folder; a dead copy's lock is
// taken over. The lock is the kernel's (flock) on that file: held exactly while the copy that
// took it runs, whatever process later gets its number.
struct InstanceLock {
    // The open, locked file; closing it lets the lock go.
    struct Held {
        int fd = -1;
        ~Held();
    };

    enum class Outcome {
        Taken,             // this copy runs
        HeldByRunningCopy, // another copy runs: leave at once, status 0
        Failed             // the lock could not be taken: report, status 1
    };
    Outcome outcome = Outcome::Failed;
    QString path;  // the lock file
    QString error; // why it failed
    std::unique_ptr<Held> lock;

    // Where the lock lives, from the environment.
    static QString FolderForLock();
    static InstanceLock Take();
};

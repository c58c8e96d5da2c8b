#include "app/InstanceLock.h"

#include "platform/Environment.h"
#include "platform/Framework.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// A folder we may keep a lock in: it exists and belongs to us (`su` may leave the runtime
// folder of another user in the environment).
bool isOwnFolder(const QString& path) {
    struct stat st = {};
    if (path.isEmpty() || !QDir::isAbsolutePath(path) ||
        ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}
} // namespace

QString InstanceLock::FolderForLock() {
    const QString runtime = Environment::current().RuntimeDir;
    if (isOwnFolder(runtime))
        return runtime;
    return PreferencesFolderPath() + QStringLiteral("/Vondrelaskit");
}

InstanceLock InstanceLock::Take() {
    InstanceLock result;
    const QString folder = FolderForLock();
    result.path = folder + QStringLiteral("/vondrelaskit-%1.lock").arg(::getuid());
    if (!QDir().mkpath(folder)) {
        result.error = QStringLiteral("cannot create the folder %1").arg(folder);
        return result;
    }
    result.lock = std::make_unique<QLockFile>(result.path);
    result.lock->setStaleLockTime(0); // only a running owner holds the lock
    if (result.lock->tryLock(0)) {
        result.outcome = Outcome::Taken;
        return result;
    }
    switch (result.lock->error()) {
    case QLockFile::LockFailedError:
        result.outcome = Outcome::HeldByRunningCopy;
        break;
    case QLockFile::PermissionError:
        result.error = QStringLiteral("no permission to create %1").arg(result.path);
        break;
    default:
        result.error = QStringLiteral("cannot create %1").arg(result.path);
        break;
    }
    result.lock.reset();
    return result;
}

#include "app/InstanceLock.h"

#include "platform/Environment.h"
#include "store/LauncherDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
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
    return GlobalModule::LauncherFolderPath();
}

InstanceLock::Held::~Held() {
    if (fd >= 0)
        ::close(fd);
}

InstanceLock InstanceLock::Take() {
    InstanceLock result;
    const QString folder = FolderForLock();
    result.path = folder + QStringLiteral("/vondrelaskit-%1.lock").arg(::getuid());
    if (!QDir().mkpath(folder)) {
        result.error = QStringLiteral("cannot create the folder %1").arg(folder);
        return result;
    }
    // Not inherited by launched programs, which would otherwise hold it after we are gone.
    auto held = std::make_unique<Held>();
    held->fd = ::open(QFile::encodeName(result.path).constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (held->fd < 0) {
        result.error = errno == EACCES
                           ? QStringLiteral("no permission to create %1").arg(result.path)
                           : QStringLiteral("cannot create %1: %2")
                                 .arg(result.path, QString::fromLocal8Bit(std::strerror(errno)));
        return result;
    }
    if (::flock(held->fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            result.outcome = Outcome::HeldByRunningCopy;
        } else {
            result.error = QStringLiteral("cannot lock %1: %2")
                               .arg(result.path, QString::fromLocal8Bit(std::strerror(errno)));
        }
        return result;
    }
    // Our number, for a person who looks; the lock itself is the kernel's.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    [[maybe_unused]] const bool noted =
        ::ftruncate(held->fd, 0) == 0 &&
        ::write(held->fd, pid.constData(), size_t(pid.size())) == pid.size();
    result.lock = std::move(held);
    result.outcome = Outcome::Taken;
    return result;
}

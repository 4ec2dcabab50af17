#include "platform/ExclusiveLock.h"

#include "platform/FileErrors.h"
#include "platform/FileProbe.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace filelock {

using fileaccess::clearSystemError;
using fileaccess::EntryKind;
using fileaccess::ReadResult;
using fileaccess::reasonFor;
using fileaccess::systemError;

namespace {

// Why a lock that is there cannot be removed, when the system says so before anyone tries.
std::optional<QString> removalRefused(const QString& lockPath)
{
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(QDir::toNativeSeparators(lockPath).toStdWString().c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return reasonFor(EACCES);
#else
    const QByteArray folder = QFile::encodeName(QFileInfo(lockPath).absolutePath());
    if (::access(folder.constData(), W_OK | X_OK) != 0)
        return reasonFor(errno);
    if (::access(QFile::encodeName(lockPath).constData(), W_OK) != 0 && errno != ENOENT)
        return reasonFor(errno);
#endif
    return std::nullopt;
}

// A running copy writes its process number right after creating the lock; a copy killed in between leaves a lock
// with no number, which QLockFile can judge only by its age. Past this age, nobody is about to write the number.
constexpr int kUnclaimedLockMs = 1000;
// A lock with a process number is left to QLockFile: it recovers one whose process no longer runs at once, and
// one of a running process (maybe on another machine sharing the folder) only after this long.
constexpr int kClaimedLockMs = 30000;
// What QLockFile writes is a few hundred bytes; it reads a lock whole, so a larger file is never handed to it.
constexpr qint64 kMaxLockBytes = 4096;

// True when a lock file is there with no process number in QLockFile's format (first line, a positive number).
bool unclaimed(const QString& path)
{
    const ReadResult read = fileaccess::readRegularFile(path, kMaxLockBytes);
    if (read.status == ReadResult::Status::Missing || read.status == ReadResult::Status::NotRegular)
        return false;
    if (read.status != ReadResult::Status::Read)
        return true; // unreadable, or far too large to be a lock QLockFile wrote
    QByteArray first = read.bytes.left(read.bytes.indexOf('\n') + 1);
    if (first.isEmpty())
        first = read.bytes;
    first.chop(1); // the line end, or the last character of a line without one, as QLockFile reads it
    if (first.endsWith('\r'))
        first.chop(1);
    bool ok = false;
    return !(first.toLongLong(&ok) > 0 && ok);
}

qint64 ageMs(const QString& path)
{
    return QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime());
}

// QLockFile removes a dead lock under a second lock of its own, judged with its default age of 30 s: one left
// without a number by a killed copy would block every save that long.
void removeLeftoverRemovalLock(const QString& path)
{
    if (fileaccess::entryKind(path) == EntryKind::File && unclaimed(path) && ageMs(path) > kUnclaimedLockMs)
        QFile::remove(path);
}

} // namespace

ExclusiveLock::ExclusiveLock(const QString& path) : m_path(path), m_lock(path)
{
    m_lock.setStaleLockTime(kClaimedLockMs);
}

ExclusiveLock::Outcome ExclusiveLock::take(int waitMs)
{
    // QLockFile reads a lock it finds to learn its process number: a pipe there blocks it for good, a link to an
    // endless device or a huge file makes it read without end. It also creates and reads a second file while it
    // removes a dead lock. Both must be small plain files of their own or nothing.
    const QString removalLock = m_path + QStringLiteral(".rmlock");
    for (const QString& path : {m_path, removalLock}) {
        const EntryKind kind = fileaccess::entryKind(path);
        if (kind != EntryKind::Missing && kind != EntryKind::File)
            return {Status::NotAFile, path, fileaccess::describe(kind)};
        if (kind == EntryKind::File && QFileInfo(path).size() > kMaxLockBytes)
            return {Status::TooLarge, path, {}};
    }
    // QLockFile opens a dead lock for writing before it removes it: a read-only one, left in the user's own folder,
    // would be refused for good although the folder lets it go.
    if (QFileInfo::exists(m_path) && !QFileInfo(m_path).isWritable())
        QFile::setPermissions(m_path, QFile::permissions(m_path) | QFileDevice::WriteOwner);

    const auto failed = [this](int error) -> Outcome {
        if (m_lock.error() == QLockFile::LockFailedError) {
            if (auto reason = removalRefused(m_path))
                return {Status::NotRemovable, m_path, *reason};
            return {Status::Busy, m_path, {}};
        }
#ifdef Q_OS_WIN
        // After an access refusal QLockFile looks whether the lock is there, and that look leaves its own reason.
        if (m_lock.error() == QLockFile::PermissionError)
            error = EACCES;
#endif
        return {Status::NotCreated, m_path,
                reasonFor(error, m_lock.error() == QLockFile::PermissionError ? QFileDevice::PermissionsError
                                                                              : QFileDevice::WriteError)};
    };

    // A lock (or removal lock) without a number is waited for a moment at most, however short the wait asked: then
    // it is a killed copy's, never "another copy saving".
    const bool leftover = unclaimed(m_path) || unclaimed(removalLock);
    QDeadlineTimer deadline(std::max(waitMs, leftover ? 2 * kUnclaimedLockMs : 0));
    for (;;) {
        removeLeftoverRemovalLock(removalLock);
        // Recovered through QLockFile's own removal, which guards against two copies removing it at once, and
        // which also checks the age: a younger lock may be a running copy's that has not written its number yet.
        m_lock.setStaleLockTime(unclaimed(m_path) ? kUnclaimedLockMs : kClaimedLockMs);
        clearSystemError();
        const bool taken = m_lock.tryLock(0);
        const int error = systemError();
        m_lock.setStaleLockTime(kClaimedLockMs);
        if (taken)
            return {};
        if (m_lock.error() != QLockFile::LockFailedError || removalRefused(m_path) || deadline.hasExpired())
            return failed(error);
        QThread::msleep(50);
    }
}

} // namespace filelock

#include "persons/DirectoryChecks.h"

#include "platform/FileAccess.h"
#include "platform/FileProbe.h"

std::optional<DirectoryFault> readFault(const DirectoryContent& content, const QString& path)
{
    if (content.status == DirectoryContent::Status::Unreadable)
        return DirectoryFault{SaveFailure::Unreadable, path, readProblem(content, path), {}};
    if (content.status == DirectoryContent::Status::InvalidLine)
        return DirectoryFault{SaveFailure::InvalidLine, path, readProblem(content, path), {}};
    return std::nullopt;
}

std::optional<DirectoryFault> backupFault(const QString& path, const QString& backup)
{
    // A link there would have the directory written over the file it leads to, and a backup that is the directory
    // itself would be no backup at all.
    if (fileaccess::entryKind(backup) == fileaccess::EntryKind::Link)
        return DirectoryFault{SaveFailure::BackupIsLink, backup, {}, {}};
    if (fileaccess::sameFile(path, backup))
        return DirectoryFault{SaveFailure::BackupIsDirectory, path, {}, backup};
    if (fileaccess::existsButNotRegular(backup))
        return DirectoryFault{SaveFailure::BackupNotRegular, backup, {}, {}};
    return std::nullopt;
}

std::optional<DirectoryFault> lockFault(const filelock::ExclusiveLock::Outcome& locked, const QString& path)
{
    switch (locked.status) {
    case filelock::ExclusiveLock::Status::Taken:
        break;
    case filelock::ExclusiveLock::Status::Busy:
        return DirectoryFault{SaveFailure::LockBusy, path, {}, {}};
    case filelock::ExclusiveLock::Status::NotAFile:
        return DirectoryFault{SaveFailure::LockNotAFile, locked.path, locked.reason, {}};
    case filelock::ExclusiveLock::Status::NotRemovable:
        return DirectoryFault{SaveFailure::LockNotRemovable, locked.path, locked.reason, {}};
    case filelock::ExclusiveLock::Status::NotCreated:
        return DirectoryFault{SaveFailure::LockNotCreated, locked.path, locked.reason, {}};
    case filelock::ExclusiveLock::Status::TooLarge:
        return DirectoryFault{SaveFailure::LockTooLarge, locked.path, {}, {}};
    }
    return std::nullopt;
}

std::optional<DirectoryFault> writeBoth(const QString& backup, const QByteArray* backupBytes,
                                        std::optional<QFileDevice::Permissions> backupPermissions, const QString& path,
                                        const QByteArray& directoryBytes)
{
    fileaccess::PendingWrite backupWrite(backup);
    if (backupBytes) {
        if (const auto error = backupWrite.prepare(*backupBytes, backupPermissions))
            return DirectoryFault{SaveFailure::BackupNotWritten, backup, *error, {}};
    }
    fileaccess::PendingWrite directoryWrite(path, fileaccess::LinkAtTarget::Follow);
    if (const auto error = directoryWrite.prepare(directoryBytes))
        return DirectoryFault{SaveFailure::DirectoryNotWritten, path, *error, {}};
    if (backupBytes) {
        if (const auto error = backupWrite.commit())
            return DirectoryFault{SaveFailure::BackupNotWritten, backup, *error, {}};
    }
    if (const auto error = directoryWrite.commit())
        return DirectoryFault{SaveFailure::DirectoryNotReplaced, path, *error, {}};
    return std::nullopt;
}

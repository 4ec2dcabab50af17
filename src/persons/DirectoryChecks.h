#pragma once

#include "persons/DirectoryFile.h"
#include "persons/SaveFailure.h"
#include "platform/ExclusiveLock.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <optional>

// The steps a save and an erasing share: what stops them, and the two writes. Each fault is worded by
// saveMessage() or eraseMessage() with its subject, detail and second part.
struct DirectoryFault
{
    SaveFailure failure;
    QString subject;
    QString detail;
    QString second;
};

// A directory that could not be read, or whose reading stopped at a bad line.
std::optional<DirectoryFault> readFault(const DirectoryContent& content, const QString& path);

// The backup is replaced as a name, never followed: a link there, the directory itself or anything but a plain file
// is refused.
std::optional<DirectoryFault> backupFault(const QString& path, const QString& backup);

std::optional<DirectoryFault> lockFault(const filelock::ExclusiveLock::Outcome& locked, const QString& path);

// Writes the new backup (when there is one) and the new directory in full beside their old versions before either
// takes its old version's place, so that a full disk leaves both as they were; then puts the backup in place, then
// the directory (DirectoryNotReplaced: the new backup is already in place).
std::optional<DirectoryFault> writeBoth(const QString& backup, const QByteArray* backupBytes,
                                        std::optional<QFileDevice::Permissions> backupPermissions, const QString& path,
                                        const QByteArray& directoryBytes);

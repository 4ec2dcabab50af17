#pragma once

#include <QString>

// What stopped a save of the directory, or the erasing of a person: every message either can give is worded here,
// by saveMessage() and eraseMessage(), and every one tells the user that nothing was done or what was kept.
enum class SaveFailure {
    FieldNotStorable,     // subject: the field's name as the window shows it; detail: the character, described
    Unreadable,           // detail: the reading's own sentence
    InvalidLine,          // detail: the reading's own sentence
    TooLarge,             // subject: the directory; detail: the limit in megabytes
    BackupIsLink,         // subject: the backup
    BackupIsDirectory,    // subject: the directory; second: the backup
    BackupNotRegular,     // subject: the backup
    LockBusy,             // subject: the directory
    LockNotAFile,         // subject: the lock; detail: what is there instead
    LockNotRemovable,     // subject: the lock; detail: the reason
    LockNotCreated,       // subject: the lock; detail: the reason
    LockTooLarge,         // subject: the file at the lock's place
    DirectoryNotCreated,  // subject: the directory; detail: the reason
    BackupNotWritten,     // subject: the backup; detail: the reason
    DirectoryNotWritten,  // subject: the directory; detail: the reason (before anything was replaced)
    DirectoryNotReplaced, // subject: the directory; detail: the reason (the backup is already in place)
    // Erasing only.
    PersonVanished,    // subject: the directory; detail: the person's first name and last name
    BackupUnreadable,  // subject: the backup; detail: the reason; second: the person
    BackupNotRestored, // subject: the backup; detail: the reason; second: the person
};

// The French message for a failure; file paths are given as they are and shown with the system's separators.
QString saveMessage(SaveFailure failure, const QString& subject, const QString& detail = {},
                    const QString& second = {});
QString eraseMessage(SaveFailure failure, const QString& subject, const QString& detail = {},
                     const QString& second = {});

#include "persons/PersonDirectory.h"

#include "platform/ExclusiveLock.h"
#include "platform/FileAccess.h"

#include <QFileInfo>

namespace {

QString fieldName(RecordField field, bool partnerLine)
{
    QString name;
    switch (field) {
    case RecordField::LastName:
        name = QStringLiteral("Nom");
        break;
    case RecordField::FirstName:
        name = QStringLiteral("Prénom");
        break;
    case RecordField::Type:
        name = QStringLiteral("Type Ennéagramme");
        break;
    case RecordField::Wing1:
    case RecordField::Wing2:
        name = QStringLiteral("Aile");
        break;
    case RecordField::Profile:
        name = QStringLiteral("Profil");
        break;
    }
    return partnerLine ? name + QStringLiteral(" du partenaire") : name;
}

SaveProblem failed(SaveFailure failure, const QString& subject, const QString& detail = {}, const QString& second = {})
{
    SaveProblem problem;
    problem.message = saveMessage(failure, subject, detail, second);
    problem.failure = failure;
    return problem;
}

std::optional<SaveProblem> unreadable(const DirectoryContent& content, const QString& path)
{
    if (content.status == DirectoryContent::Status::Unreadable)
        return failed(SaveFailure::Unreadable, path, readProblem(content, path));
    if (content.status == DirectoryContent::Status::InvalidLine)
        return failed(SaveFailure::InvalidLine, path, readProblem(content, path));
    return std::nullopt;
}

std::optional<SaveProblem> lockProblem(const filelock::ExclusiveLock::Outcome& locked, const QString& path)
{
    switch (locked.status) {
    case filelock::ExclusiveLock::Status::Taken:
        break;
    case filelock::ExclusiveLock::Status::Busy:
        return failed(SaveFailure::LockBusy, path);
    case filelock::ExclusiveLock::Status::NotAFile:
        return failed(SaveFailure::LockNotAFile, locked.path, locked.reason);
    case filelock::ExclusiveLock::Status::NotRemovable:
        return failed(SaveFailure::LockNotRemovable, locked.path, locked.reason);
    case filelock::ExclusiveLock::Status::NotCreated:
        return failed(SaveFailure::LockNotCreated, locked.path, locked.reason);
    }
    return std::nullopt;
}

} // namespace

PersonDirectory::PersonDirectory(QString dataFolder) : m_dataFolder(std::move(dataFolder)) {}

std::optional<SaveProblem> PersonDirectory::save(const PersonRecord& user, const PersonRecord& partner,
                                                 const Confirm& confirm) const
{
    const bool userComplete = user.isComplete();
    const bool partnerComplete = partner.isComplete();

    for (const auto& [record, complete, partnerLine] :
         {std::tuple{user, userComplete, false}, std::tuple{partner, partnerComplete, true}}) {
        if (!complete)
            continue;
        if (const auto problem = checkStorable(record)) {
            SaveProblem result =
                failed(SaveFailure::FieldNotStorable, fieldName(problem->field, partnerLine), problem->character);
            result.fieldProblem = true;
            result.partnerLine = partnerLine;
            result.field = problem->field;
            return result;
        }
    }

    const QString path = directoryFilePath(m_dataFolder);
    const QString backup = backupFilePath(m_dataFolder);
    const auto tooLarge = [&] {
        return failed(SaveFailure::TooLarge, path, QString::number(m_sizeLimit / (1024 * 1024)));
    };
    // The files hold the names and types of everyone stored: new ones are for their owner's eyes only.
    const QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    // Read once to know whom to ask about; the questions come before anything is locked or written.
    const DirectoryContent before = readDirectory(path);
    if (auto problem = unreadable(before, path))
        return problem;
    // The backup is written through QSaveFile, which follows links: a link there would have the directory written
    // over the file it leads to, and a backup that is the directory itself would be no backup at all.
    if (fileaccess::entryKind(backup) == fileaccess::EntryKind::Link)
        return failed(SaveFailure::BackupIsLink, backup);
    if (fileaccess::sameFile(path, backup))
        return failed(SaveFailure::BackupIsDirectory, path, {}, backup);
    if (fileaccess::existsButNotRegular(backup))
        return failed(SaveFailure::BackupNotRegular, backup);

    const auto question = [](const PersonRecord& r) {
        return r.firstName + u' ' + r.lastName + QStringLiteral(" a déjà été enregistré, modifier ?");
    };
    bool userPending = userComplete;
    bool partnerPending = partnerComplete;
    bool userAsked = false;
    bool partnerAsked = false;
    const auto ask = [&](const DirectoryContent& content) {
        if (userPending && !userAsked && content.find(user) >= 0) {
            userAsked = true;
            userPending = confirm(question(user), true);
        }
        if (partnerPending && !partnerAsked && content.find(partner) >= 0) {
            partnerAsked = true;
            partnerPending = confirm(question(partner), false);
        }
    };
    ask(before);

    // Another running copy of the program may save at the same time: one writes at a time, and each rebuilds the
    // directory from what is on disk once it holds the lock, so neither loses the other's person.
    filelock::ExclusiveLock lock(lockFilePath(m_dataFolder));
    if (auto problem = lockProblem(lock.take(m_lockWaitMs), path))
        return problem;

    const DirectoryContent current = readDirectory(path);
    if (auto problem = unreadable(current, path))
        return problem;

    if (current.status == DirectoryContent::Status::Missing) {
        QByteArray bytes;
        if (userPending)
            bytes += formatRecordLine(user) + "\r\n";
        if (partnerPending)
            bytes += formatRecordLine(partner) + "\r\n";
        if (bytes.size() > m_sizeLimit)
            return tooLarge();
        if (const auto error = fileaccess::writeWholeFile(path, bytes, privateFile))
            return failed(SaveFailure::DirectoryNotCreated, path, *error);
        return std::nullopt;
    }

    // Someone saved the same person meanwhile: ask before replacing it.
    ask(current);

    // The backup holds the directory exactly as it is before this save, with the same permissions, so that a
    // private directory never gets a public copy. Both new files are written in full before either replaces its
    // old version: a full disk leaves both as they were.
    const QByteArray rebuilt =
        rebuildDirectory(current, userPending ? &user : nullptr, partnerPending ? &partner : nullptr);
    if (rebuilt.size() > m_sizeLimit)
        return tooLarge();
    fileaccess::PendingWrite backupWrite(backup);
    if (const auto error =
            backupWrite.prepare(current.bytes, QFileInfo::exists(backup) ? QFileInfo(path).permissions() : privateFile))
        return failed(SaveFailure::BackupNotWritten, backup, *error);
    fileaccess::PendingWrite directoryWrite(path);
    if (const auto error = directoryWrite.prepare(rebuilt))
        return failed(SaveFailure::DirectoryNotWritten, path, *error);
    if (const auto error = backupWrite.commit())
        return failed(SaveFailure::BackupNotWritten, backup, *error);
    if (const auto error = directoryWrite.commit())
        return failed(SaveFailure::DirectoryNotReplaced, path, *error);
    return std::nullopt;
}

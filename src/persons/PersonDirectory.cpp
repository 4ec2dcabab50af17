#include "persons/PersonDirectory.h"

#include "persons/DirectoryChecks.h"
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

SaveProblem failed(const DirectoryFault& fault)
{
    SaveProblem problem;
    problem.message = saveMessage(fault.failure, fault.subject, fault.detail, fault.second);
    problem.failure = fault.failure;
    return problem;
}

std::optional<SaveProblem> failed(const std::optional<DirectoryFault>& fault)
{
    if (!fault)
        return std::nullopt;
    return failed(*fault);
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
            SaveProblem result = failed(DirectoryFault{
                SaveFailure::FieldNotStorable, fieldName(problem->field, partnerLine), problem->character, {}});
            result.fieldProblem = true;
            result.partnerLine = partnerLine;
            result.field = problem->field;
            return result;
        }
    }

    const QString path = directoryFilePath(m_dataFolder);
    const QString backup = backupFilePath(m_dataFolder);
    const auto tooLarge = [&] {
        return failed(DirectoryFault{SaveFailure::TooLarge, path, QString::number(m_sizeLimit / (1024 * 1024)), {}});
    };
    // The files hold the names and types of everyone stored: new ones are for their owner's eyes only.
    const QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    // Read once to know whom to ask about; the questions come before anything is locked or written.
    const DirectoryContent before = readDirectory(path);
    if (auto problem = failed(readFault(before, path)))
        return problem;
    if (auto problem = failed(backupFault(path, backup)))
        return problem;

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
    if (auto problem = failed(lockFault(lock.take(m_lockWaitMs), path)))
        return problem;

    const DirectoryContent current = readDirectory(path);
    if (auto problem = failed(readFault(current, path)))
        return problem;

    if (current.status == DirectoryContent::Status::Missing) {
        QByteArray bytes;
        if (userPending)
            bytes += formatRecordLine(user) + "\r\n";
        if (partnerPending)
            bytes += formatRecordLine(partner) + "\r\n";
        if (bytes.size() > m_sizeLimit)
            return tooLarge();
        if (const auto error = fileaccess::writeWholeFile(path, bytes, privateFile, fileaccess::LinkAtTarget::Follow))
            return failed(DirectoryFault{SaveFailure::DirectoryNotCreated, path, *error, {}});
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
    return failed(writeBoth(backup, &current.bytes,
                            QFileInfo::exists(backup) ? QFileInfo(path).permissions() : privateFile, path, rebuilt));
}

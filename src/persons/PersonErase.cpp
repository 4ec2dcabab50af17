#include "persons/DirectoryChecks.h"
#include "persons/PersonDirectory.h"
#include "platform/FileAccess.h"
#include "platform/FileProbe.h"

namespace {

EraseOutcome failed(SaveFailure failure, const QString& subject, const QString& detail = {}, const QString& second = {})
{
    return {failure == SaveFailure::PersonVanished ? EraseOutcome::Status::Vanished : EraseOutcome::Status::Failed,
            eraseMessage(failure, subject, detail, second)};
}

EraseOutcome failed(const DirectoryFault& fault)
{
    return failed(fault.failure, fault.subject, fault.detail, fault.second);
}

// The bytes without the given lines, each taken with its own line end; every other byte stays, blank lines and odd
// line ends included. The lines are in file order.
QByteArray withoutLines(const DirectoryContent& content, const QList<qsizetype>& removed)
{
    QByteArray out;
    out.reserve(content.bytes.size());
    qsizetype kept = 0;
    for (const qsizetype index : removed) {
        const DirectoryContent::Span span = content.lines.at(index);
        qsizetype end = span.start + span.length;
        if (end < content.bytes.size() && content.bytes[end] == '\r')
            ++end;
        if (end < content.bytes.size() && content.bytes[end] == '\n')
            ++end;
        out += QByteArrayView(content.bytes).sliced(kept, span.start - kept);
        kept = end;
    }
    out += QByteArrayView(content.bytes).sliced(kept);
    return out;
}

// The records that hold exactly these bytes, or these two names when names is true.
QList<qsizetype> linesLike(const DirectoryContent& content, QByteArrayView line, bool names)
{
    QList<qsizetype> found;
    std::array<QByteArrayView, 6> wanted;
    std::array<QByteArrayView, 6> fields;
    if (names)
        splitRecordLine(line, wanted, 2);
    for (qsizetype i = 0; i < content.count(); ++i) {
        if (!names) {
            if (content.line(i) == line)
                found.append(i);
            continue;
        }
        splitRecordLine(content.line(i), fields, 2);
        if (fields[0] == wanted[0] && fields[1] == wanted[1])
            found.append(i);
    }
    return found;
}

} // namespace

EraseOutcome PersonDirectory::erase(const DirectoryContent& shown, qsizetype index) const
{
    const QString path = directoryFilePath(m_dataFolder);
    const QString backup = backupFilePath(m_dataFolder);

    // The line the list showed, told from any other line with the same bytes by how many of them come before it.
    const QByteArray target = shown.line(index).toByteArray();
    const QList<qsizetype> shownAlike = linesLike(shown, target, false);
    const qsizetype rank = shownAlike.indexOf(index);
    const PersonRecord person = shown.record(index);
    const QString who = person.firstName + u' ' + person.lastName;

    if (const auto fault = backupFault(path, backup))
        return failed(*fault);
    filelock::ExclusiveLock lock(lockFilePath(m_dataFolder));
    if (const auto fault = lockFault(lock.take(m_lockWaitMs), path))
        return failed(*fault);

    // Read afresh under the lock: another copy of the program may have saved or erased since the list was read.
    const DirectoryContent current = readDirectory(path);
    if (const auto fault = readFault(current, path))
        return failed(*fault);
    const QList<qsizetype> currentAlike = linesLike(current, target, false);
    if (currentAlike.size() != shownAlike.size() || rank < 0)
        return failed(SaveFailure::PersonVanished, path, who);
    const qsizetype at = currentAlike[rank];

    // The backup loses the person too: every record of those names when none is left in the directory, otherwise the
    // one at the same rank among the records of those names, as a save keeps them in the same order in both files.
    const fileaccess::ReadResult backupRead = fileaccess::readRegularFile(backup, kMaxDirectoryBytes);
    DirectoryContent oldBackup;
    QList<qsizetype> backupRemoved;
    if (backupRead.status == fileaccess::ReadResult::Status::Read) {
        oldBackup = parseDirectory(backupRead.bytes);
        if (oldBackup.status == DirectoryContent::Status::InvalidLine)
            return failed(SaveFailure::BackupUnreadable, backup,
                          QStringLiteral("sa ligne %1 n'est pas un enregistrement valide (%2)")
                              .arg(oldBackup.invalidLine)
                              .arg(oldBackup.reason),
                          who);
        const QList<qsizetype> sameNames = linesLike(current, target, true);
        const QList<qsizetype> backupNames = linesLike(oldBackup, target, true);
        if (sameNames.size() == 1)
            backupRemoved = backupNames;
        else if (const qsizetype nameRank = sameNames.indexOf(at); nameRank < backupNames.size())
            backupRemoved = {backupNames[nameRank]};
    } else if (backupRead.status != fileaccess::ReadResult::Status::Missing) {
        return failed(SaveFailure::BackupUnreadable, backup, backupRead.reason, who);
    }

    const QByteArray newBackup = withoutLines(oldBackup, backupRemoved);
    const auto fault = writeBoth(backup, backupRemoved.isEmpty() ? nullptr : &newBackup, std::nullopt, path,
                                 withoutLines(current, {at}));
    if (!fault)
        return {};
    if (fault->failure != SaveFailure::DirectoryNotReplaced || backupRemoved.isEmpty())
        return failed(fault->failure == SaveFailure::DirectoryNotReplaced ? SaveFailure::DirectoryNotWritten
                                                                          : fault->failure,
                      fault->subject, fault->detail);
    // The backup already went without the person while the directory still has them: the backup is put back, so
    // that both files stay as they were; should that fail too, the person is still in the list to be erased again.
    if (const auto error = fileaccess::writeWholeFile(backup, oldBackup.bytes))
        return failed(SaveFailure::BackupNotRestored, backup, *error, who);
    return failed(SaveFailure::DirectoryNotWritten, fault->subject, fault->detail);
}

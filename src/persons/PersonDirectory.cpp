#include "persons/PersonDirectory.h"

#include "platform/Cp1252.h"
#include "platform/ExclusiveLock.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

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

QString describe(LineProblem problem)
{
    switch (problem) {
    case LineProblem::NotQuoted:
        return QStringLiteral("un champ n'est pas entre guillemets");
    case LineProblem::QuoteNotClosed:
        return QStringLiteral("un guillemet ouvert n'est jamais refermé");
    case LineProblem::TooFewFields:
        return QStringLiteral("il manque des champs (il en faut six, entre guillemets et séparés par des virgules)");
    case LineProblem::TooManyFields:
        return QStringLiteral("elle a plus de six champs");
    case LineProblem::None:
        break;
    }
    return {};
}

// A file saved by another editor in an encoding the directory never uses.
QString wrongEncoding(QByteArrayView bytes)
{
    const QString expected = QStringLiteral(", alors qu'il doit l'être en Windows-1252 (ANSI)");
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("le fichier est encodé en UTF-8 avec une marque d'ordre des octets (BOM)") + expected;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || cp1252::looksLikeUtf16(bytes))
        return QStringLiteral("le fichier est encodé en UTF-16") + expected;
    // Read as Windows-1252, such a file would show "LefÃ¨vre" and be saved back that way.
    if (cp1252::isUtf8BeyondAscii(bytes))
        return QStringLiteral("le fichier est encodé en UTF-8") + expected;
    return {};
}

bool isBlank(QByteArrayView line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

QByteArray encoded(const QString& text)
{
    QByteArray bytes;
    cp1252::encode(text, bytes);
    return bytes;
}

// Words that change between the operations writing the directory: what did not happen, and what to do again.
struct Wording
{
    QString nothingDone; // "Rien n'a été enregistré"
    QString again;       // "sauvegardez à nouveau"
    QString act;         // "enregistrer"
};

const Wording& saveWording()
{
    static const Wording wording{QStringLiteral("Rien n'a été enregistré"), QStringLiteral("sauvegardez à nouveau"),
                                 QStringLiteral("enregistrer")};
    return wording;
}

// Why the backup cannot safely be written over, or nothing.
std::optional<QString> backupProblem(const QString& path, const QString& backup, const Wording& wording)
{
    const QString nothingDone = QStringLiteral("\r\n") + wording.nothingDone + u'.';
    // The backup is written through QSaveFile, which follows links: a link there would have the directory written
    // over the file it leads to, and a backup that is the directory itself would be no backup at all.
    if (fileaccess::entryKind(backup) == fileaccess::EntryKind::Link)
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» est un lien vers un autre emplacement, "
                              "alors qu'elle doit être un fichier ordinaire du dossier des données\u00a0: "
                              "supprimez ce lien, puis %2.")
                   .arg(shownPath(backup), wording.again) +
               nothingDone;
    if (fileaccess::sameFile(path, backup))
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» et sa copie de sauvegarde «\u00a0%2\u00a0» "
                              "sont un seul et même fichier (lien)\u00a0: %3 détruirait la copie. "
                              "Supprimez «\u00a0%2\u00a0», puis %4.")
                   .arg(shownPath(path), shownPath(backup), wording.act, wording.again) +
               nothingDone;
    if (fileaccess::existsButNotRegular(backup))
        return QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» n'est pas un fichier ordinaire.")
                   .arg(shownPath(backup)) +
               nothingDone;
    return std::nullopt;
}

// Takes the directory's lock; why it could not be taken, or nothing.
std::optional<QString> lockProblem(fileaccess::ExclusiveLock& lock, int waitMs, const QString& path,
                                   const Wording& wording)
{
    const QString nothingDone = QStringLiteral("\r\n") + wording.nothingDone + u'.';
    const fileaccess::ExclusiveLock::Outcome locked = lock.take(waitMs);
    switch (locked.status) {
    case fileaccess::ExclusiveLock::Status::Taken:
        break;
    case fileaccess::ExclusiveLock::Status::Busy:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» est en cours d'enregistrement par un autre "
                              "exemplaire du programme.\r\n%2\u00a0; %3 dans un instant.")
            .arg(shownPath(path), wording.nothingDone, wording.again);
    case fileaccess::ExclusiveLock::Status::NotAFile:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'est pas un fichier ordinaire\u00a0: "
                              "c'est %2. Le programme ne peut pas s'en servir\u00a0; supprimez-le, puis %3.")
                   .arg(shownPath(locked.path), locked.reason, wording.again) +
               nothingDone;
    case fileaccess::ExclusiveLock::Status::NotRemovable:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» est là et ne peut pas être "
                              "supprimé\u00a0: %2.")
                   .arg(shownPath(locked.path), locked.reason) +
               nothingDone;
    case fileaccess::ExclusiveLock::Status::NotCreated:
        return QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'a pas pu être créé\u00a0: %2.")
                   .arg(shownPath(locked.path), locked.reason) +
               nothingDone;
    }
    return std::nullopt;
}

struct PairFailure
{
    bool backup = false;     // the backup failed, not the directory
    bool committing = false; // it failed while taking its old version's place, not while being written beside it
    QString reason;
};

// Writes the new backup (when there is one) and the new directory in full beside their old versions before either
// takes its old version's place, so that a full disk leaves both as they were; then puts the backup in place, then
// the directory.
std::optional<PairFailure> writePair(const QString& backup, const QByteArray* backupBytes,
                                     std::optional<QFileDevice::Permissions> backupPermissions, const QString& path,
                                     const QByteArray& directoryBytes)
{
    fileaccess::PendingWrite backupWrite(backup);
    if (backupBytes) {
        if (const auto error = backupWrite.prepare(*backupBytes, backupPermissions))
            return PairFailure{true, false, *error};
    }
    fileaccess::PendingWrite directoryWrite(path);
    if (const auto error = directoryWrite.prepare(directoryBytes))
        return PairFailure{false, false, *error};
    if (backupBytes) {
        if (const auto error = backupWrite.commit())
            return PairFailure{true, true, *error};
    }
    if (const auto error = directoryWrite.commit())
        return PairFailure{false, true, *error};
    return std::nullopt;
}

} // namespace

QString directoryFilePath(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("prrep.txt");
}

QString backupFilePath(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("prrep.bak");
}

QString lockFilePath(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("prrep.txt.lock");
}

QByteArrayView DirectoryContent::line(qsizetype index) const
{
    const Span span = lines.at(index);
    return QByteArrayView(bytes).sliced(span.start, span.length);
}

PersonRecord DirectoryContent::record(qsizetype index) const
{
    return parseRecordLine(line(index)).value_or(PersonRecord{});
}

qsizetype DirectoryContent::find(const PersonRecord& person, qsizetype skip) const
{
    // Decoding is one to one, so equal bytes mean equal names, case and accents included.
    const QByteArray last = encoded(person.lastName);
    const QByteArray first = encoded(person.firstName);
    std::array<QByteArrayView, 6> fields;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == skip)
            continue;
        splitRecordLine(line(i), fields, 2);
        if (fields[0] == last && fields[1] == first)
            return i;
    }
    return -1;
}

DirectoryContent readDirectory(const QString& path)
{
    fileaccess::ReadResult read = fileaccess::readRegularFile(path, kMaxDirectoryBytes);
    if (read.status == fileaccess::ReadResult::Status::Read)
        return parseDirectory(std::move(read.bytes));
    DirectoryContent content;
    if (read.status != fileaccess::ReadResult::Status::Missing) {
        content.status = DirectoryContent::Status::Unreadable;
        content.reason = read.reason;
    }
    return content;
}

DirectoryContent parseDirectory(QByteArray bytes)
{
    DirectoryContent content;
    content.bytes = std::move(bytes);
    content.status = DirectoryContent::Status::Read;
    const QByteArrayView all(content.bytes);
    if (const QString encoding = wrongEncoding(all); !encoding.isEmpty()) {
        content.status = DirectoryContent::Status::InvalidLine;
        content.invalidLine = 1;
        content.reason = encoding;
        return content;
    }
    content.lines.reserve(all.count('\n') + 1);
    std::array<QByteArrayView, 6> fields;
    qsizetype start = 0;
    qsizetype nextLf = -1; // the next LF at or after start (or the end), searched again only once passed
    int lineNumber = 0;
    while (start < all.size()) {
        if (nextLf < start) {
            nextLf = all.indexOf('\n', start);
            if (nextLf < 0)
                nextLf = all.size();
        }
        // Lines end in CR LF, LF alone, or CR alone (old Mac editors): a CR inside a record means nothing else.
        qsizetype end = nextLf;
        qsizetype next = nextLf + 1;
        const qsizetype cr = all.sliced(start, nextLf - start).indexOf('\r');
        if (cr >= 0) {
            end = start + cr;
            next = end + 1 < all.size() && all[end + 1] == '\n' ? end + 2 : end + 1;
        }
        const QByteArrayView line = all.sliced(start, end - start);
        ++lineNumber;
        if (!isBlank(line)) {
            QString reason;
            // A zero byte is no character of a text file: named with its line, so that the user can find it.
            if (line.contains('\0'))
                reason = QStringLiteral("elle contient un octet nul (0x00), qu'aucun fichier texte ne contient");
            else if (const LineProblem problem = splitRecordLine(line, fields); problem != LineProblem::None)
                reason = describe(problem);
            if (!reason.isEmpty()) {
                content.status = DirectoryContent::Status::InvalidLine;
                content.invalidLine = lineNumber;
                content.reason = reason;
                return content;
            }
            content.lines.append({start, line.size()});
        }
        start = next;
    }
    return content;
}

QString readProblem(const DirectoryContent& content, const QString& path)
{
    switch (content.status) {
    case DirectoryContent::Status::Unreadable:
        return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu\u00a0: %2.")
            .arg(shownPath(path), content.reason);
    case DirectoryContent::Status::InvalidLine:
        return QStringLiteral("La ligne %1 du fichier des personnes «\u00a0%2\u00a0» n'est pas un enregistrement "
                              "valide\u00a0: %3.")
            .arg(content.invalidLine)
            .arg(shownPath(path), content.reason);
    case DirectoryContent::Status::Missing:
    case DirectoryContent::Status::Read:
        break;
    }
    return {};
}

QByteArray rebuildDirectory(const DirectoryContent& content, const PersonRecord* user, const PersonRecord* partner)
{
    const qsizetype userAt = user ? content.find(*user) : -1;
    // When both lines hold the same names, the partner's record goes to the next record with them, if any.
    const qsizetype partnerAt = partner ? content.find(*partner, userAt) : -1;

    QByteArray out;
    out.reserve(content.bytes.size() + 256);
    for (qsizetype i = 0; i < content.count(); ++i) {
        if (i == userAt)
            out += formatRecordLine(*user);
        else if (i == partnerAt)
            out += formatRecordLine(*partner);
        else
            out += content.line(i);
        out += "\r\n";
    }
    if (user && userAt < 0)
        out += formatRecordLine(*user) + "\r\n";
    if (partner && partnerAt < 0)
        out += formatRecordLine(*partner) + "\r\n";
    return out;
}

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
            SaveProblem result;
            result.message =
                QStringLiteral("Impossible d'enregistrer\u00a0: le champ «\u00a0%1\u00a0» contient %2, qui ne peut pas "
                               "figurer dans le fichier des personnes.\r\n"
                               "Corrigez ce champ puis sauvegardez à nouveau.")
                    .arg(fieldName(problem->field, partnerLine), problem->character);
            result.fieldProblem = true;
            result.partnerLine = partnerLine;
            result.field = problem->field;
            return result;
        }
    }

    const auto failure = [](const QString& message) { return SaveProblem{message}; };
    const QString nothingSaved = QStringLiteral("\r\nRien n'a été enregistré.");
    const QString path = directoryFilePath(m_dataFolder);
    const QString backup = backupFilePath(m_dataFolder);
    const auto unreadable = [&](const DirectoryContent& content) -> std::optional<SaveProblem> {
        if (content.status == DirectoryContent::Status::Unreadable)
            return failure(readProblem(content, path) + nothingSaved);
        if (content.status == DirectoryContent::Status::InvalidLine)
            return failure(readProblem(content, path) +
                           QStringLiteral("\r\nRien n'a été enregistré, pour ne perdre aucune donnée."));
        return std::nullopt;
    };

    // A directory past the reading limit could never be opened again, nor saved to.
    const auto tooLarge = [&] {
        return failure(QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» dépasserait %2\u00a0Mo, la taille "
                                      "au-delà de laquelle le programme ne peut plus le lire.")
                           .arg(shownPath(path))
                           .arg(m_sizeLimit / (1024 * 1024)) +
                       nothingSaved);
    };
    // The files hold the names and types of everyone stored: new ones are for their owner's eyes only.
    const QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    // Read once to know whom to ask about; the questions come before anything is locked or written.
    const DirectoryContent before = readDirectory(path);
    if (auto problem = unreadable(before))
        return problem;
    if (auto problem = backupProblem(path, backup, saveWording()))
        return failure(*problem);

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
    fileaccess::ExclusiveLock lock(lockFilePath(m_dataFolder));
    if (auto problem = lockProblem(lock, m_lockWaitMs, path, saveWording()))
        return failure(*problem);

    const DirectoryContent current = readDirectory(path);
    if (auto problem = unreadable(current))
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
            return failure(QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être créé\u00a0: %2.")
                               .arg(shownPath(path), *error) +
                           nothingSaved);
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
    const auto backupFailed = [&](const QString& error) {
        return failure(
            QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» n'a pas pu être écrite\u00a0: %2.\r\n"
                           "Rien n'a été enregistré\u00a0; le fichier des personnes est resté tel qu'il était.")
                .arg(shownPath(backup), error));
    };
    const auto written = writePair(
        backup, &current.bytes, QFileInfo::exists(backup) ? QFileInfo(path).permissions() : privateFile, path, rebuilt);
    if (!written)
        return std::nullopt;
    if (written->backup)
        return backupFailed(written->reason);
    return failure(QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.\r\n%3")
                       .arg(shownPath(path), written->reason,
                            written->committing ? QStringLiteral("Il est resté tel qu'il était.")
                                                : QStringLiteral("Rien n'a été enregistré\u00a0; il est resté tel "
                                                                 "qu'il était.")));
}

namespace {

const Wording& eraseWording()
{
    static const Wording wording{QStringLiteral("Rien n'a été supprimé"), QStringLiteral("recommencez la suppression"),
                                 QStringLiteral("supprimer")};
    return wording;
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
    const auto failed = [](const QString& message) { return EraseOutcome{EraseOutcome::Status::Failed, message}; };
    const QString path = directoryFilePath(m_dataFolder);
    const QString backup = backupFilePath(m_dataFolder);
    const QString nothingErased = QStringLiteral("\r\nRien n'a été supprimé.");
    const QString bothKept =
        QStringLiteral("\r\nRien n'a été supprimé\u00a0; les deux fichiers sont restés tels qu'ils étaient.");

    // The line the list showed, told from any other line with the same bytes by how many of them come before it.
    const QByteArray target = shown.line(index).toByteArray();
    const QList<qsizetype> shownAlike = linesLike(shown, target, false);
    const qsizetype rank = shownAlike.indexOf(index);
    const PersonRecord person = shown.record(index);
    const QString who = person.firstName + u' ' + person.lastName;

    if (auto problem = backupProblem(path, backup, eraseWording()))
        return failed(*problem);
    fileaccess::ExclusiveLock lock(lockFilePath(m_dataFolder));
    if (auto problem = lockProblem(lock, m_lockWaitMs, path, eraseWording()))
        return failed(*problem);

    // Read afresh under the lock: another copy of the program may have saved or erased since the list was read.
    const DirectoryContent current = readDirectory(path);
    if (current.status == DirectoryContent::Status::Unreadable ||
        current.status == DirectoryContent::Status::InvalidLine)
        return failed(readProblem(current, path) + nothingErased);
    const QList<qsizetype> currentAlike = linesLike(current, target, false);
    if (currentAlike.size() != shownAlike.size() || rank < 0)
        return {EraseOutcome::Status::Vanished,
                QStringLiteral("%1 n'est plus dans le fichier des personnes «\u00a0%2\u00a0» tel que la liste le "
                               "montrait\u00a0: un autre exemplaire du programme l'a modifié entre-temps.\r\nRien n'a "
                               "été supprimé\u00a0; la liste montre maintenant le fichier tel qu'il est.")
                    .arg(who, shownPath(path))};
    const qsizetype at = currentAlike[rank];

    // The backup loses the person too: every record of those names when none is left in the directory, otherwise the
    // one at the same rank among the records of those names, as a save keeps them in the same order in both files.
    const fileaccess::ReadResult backupRead = fileaccess::readRegularFile(backup, kMaxDirectoryBytes);
    const auto backupUnreadable = [&](const QString& reason) {
        return failed(QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» ne peut pas être lue\u00a0: %2.\r\nRien "
                                     "n'a été supprimé, pour ne pas laisser %3 dans la copie.")
                          .arg(shownPath(backup), reason, who));
    };
    DirectoryContent oldBackup;
    QList<qsizetype> backupRemoved;
    if (backupRead.status == fileaccess::ReadResult::Status::Read) {
        oldBackup = parseDirectory(backupRead.bytes);
        if (oldBackup.status == DirectoryContent::Status::InvalidLine)
            return backupUnreadable(QStringLiteral("sa ligne %1 n'est pas un enregistrement valide (%2)")
                                        .arg(oldBackup.invalidLine)
                                        .arg(oldBackup.reason));
        const QList<qsizetype> sameNames = linesLike(current, target, true);
        const QList<qsizetype> backupNames = linesLike(oldBackup, target, true);
        if (sameNames.size() == 1)
            backupRemoved = backupNames;
        else if (const qsizetype nameRank = sameNames.indexOf(at); nameRank < backupNames.size())
            backupRemoved = {backupNames[nameRank]};
    } else if (backupRead.status != fileaccess::ReadResult::Status::Missing) {
        return backupUnreadable(backupRead.reason);
    }

    const QByteArray newBackup = withoutLines(oldBackup, backupRemoved);
    const QByteArray newDirectory = withoutLines(current, {at});
    const auto written =
        writePair(backup, backupRemoved.isEmpty() ? nullptr : &newBackup, std::nullopt, path, newDirectory);
    if (!written)
        return {};
    if (written->backup)
        return failed(QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» n'a pas pu être écrite\u00a0: %2.")
                          .arg(shownPath(backup), written->reason) +
                      bothKept);
    const QString directoryFailed = QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être "
                                                   "écrit\u00a0: %2.")
                                        .arg(shownPath(path), written->reason);
    if (!written->committing || backupRemoved.isEmpty())
        return failed(directoryFailed + bothKept);
    // The backup already went without the person while the directory still has them: the backup is put back, so
    // that both files stay as they were; should that fail too, the person is still in the list to be erased again.
    if (const auto error = fileaccess::writeWholeFile(backup, oldBackup.bytes))
        return failed(directoryFailed +
                      QStringLiteral("\r\n%1 est toujours dans le fichier des personnes, mais n'est plus dans la copie "
                                     "de sauvegarde «\u00a0%2\u00a0», qui n'a pas pu être rétablie\u00a0: %3.\r\n"
                                     "Recommencez la suppression.")
                          .arg(who, shownPath(backup), *error));
    return failed(directoryFailed + bothKept);
}

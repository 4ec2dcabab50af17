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
        return QStringLiteral("il est encodé en UTF-8 avec une marque d'ordre des octets (BOM)") + expected;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || cp1252::looksLikeUtf16(bytes))
        return QStringLiteral("il est encodé en UTF-16") + expected;
    // Read as Windows-1252, such a file would show "LefÃ¨vre" and be saved back that way.
    if (cp1252::isUtf8BeyondAscii(bytes))
        return QStringLiteral("il est encodé en UTF-8") + expected;
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
        content.invalidLine = 0; // the fault lies with the whole file, not with one line
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
                reason = QStringLiteral("elle contient un octet nul (0x00), absent de tout fichier texte");
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
        if (content.invalidLine == 0)
            return QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu tel "
                                  "quel\u00a0: %2.")
                .arg(shownPath(path), content.reason);
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
                               "Corrigez ce champ, puis sauvegardez à nouveau.")
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
    // The backup is written through QSaveFile, which follows links: a link there would have the directory written
    // over the file it leads to, and a backup that is the directory itself would be no backup at all.
    if (fileaccess::entryKind(backup) == fileaccess::EntryKind::Link)
        return failure(QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» est un lien vers un autre emplacement, "
                                      "alors qu'elle doit être un fichier ordinaire du dossier des données\u00a0: "
                                      "supprimez ce lien, puis sauvegardez à nouveau.")
                           .arg(shownPath(backup)) +
                       nothingSaved);
    if (fileaccess::sameFile(path, backup))
        return failure(
            QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» et sa copie de sauvegarde «\u00a0%2\u00a0» "
                           "sont un seul et même fichier (lien)\u00a0: enregistrer détruirait la copie. "
                           "Supprimez «\u00a0%2\u00a0», puis sauvegardez à nouveau.")
                .arg(shownPath(path), shownPath(backup)) +
            nothingSaved);
    if (fileaccess::existsButNotRegular(backup))
        return failure(QStringLiteral("La copie de sauvegarde «\u00a0%1\u00a0» n'est pas un fichier ordinaire.")
                           .arg(shownPath(backup)) +
                       nothingSaved);

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
    const fileaccess::ExclusiveLock::Outcome locked = lock.take(m_lockWaitMs);
    switch (locked.status) {
    case fileaccess::ExclusiveLock::Status::Taken:
        break;
    case fileaccess::ExclusiveLock::Status::Busy:
        return failure(
            QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» est en cours d'enregistrement par un autre "
                           "exemplaire du programme.\r\nRien n'a été enregistré\u00a0; sauvegardez à "
                           "nouveau dans un instant.")
                .arg(shownPath(path)));
    case fileaccess::ExclusiveLock::Status::NotAFile:
        return failure(
            QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'est pas un fichier ordinaire\u00a0: "
                           "c'est %2. Le programme ne peut pas s'en servir\u00a0; supprimez-le, puis "
                           "sauvegardez à nouveau.")
                .arg(shownPath(locked.path), locked.reason) +
            nothingSaved);
    case fileaccess::ExclusiveLock::Status::NotRemovable:
        return failure(QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» existe déjà et ne peut pas "
                                      "être supprimé\u00a0: %2.")
                           .arg(shownPath(locked.path), locked.reason) +
                       nothingSaved);
    case fileaccess::ExclusiveLock::Status::NotCreated:
        return failure(QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'a pas pu être créé\u00a0: %2.")
                           .arg(shownPath(locked.path), locked.reason) +
                       nothingSaved);
    }

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
    fileaccess::PendingWrite backupWrite(backup);
    if (const auto error =
            backupWrite.prepare(current.bytes, QFileInfo::exists(backup) ? QFileInfo(path).permissions() : privateFile))
        return backupFailed(*error);
    fileaccess::PendingWrite directoryWrite(path);
    if (const auto error = directoryWrite.prepare(rebuilt))
        return failure(QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.\r\n"
                                      "Rien n'a été enregistré\u00a0; il est resté tel qu'il était.")
                           .arg(shownPath(path), *error));
    if (const auto error = backupWrite.commit())
        return backupFailed(*error);
    if (const auto error = directoryWrite.commit())
        return failure(QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.\r\n"
                                      "Il est resté tel qu'il était.")
                           .arg(shownPath(path), *error));
    return std::nullopt;
}

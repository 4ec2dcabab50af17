#include "persons/PersonDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

} // namespace

QString directoryFilePath(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("prrep.txt");
}

QString backupFilePath(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("prrep.bak");
}

DirectoryContent readDirectory(const QString& path)
{
    DirectoryContent content;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return content;

    QFile file(path);
    if (info.isDir()) {
        content.status = DirectoryContent::Status::Unreadable;
        content.reason = QStringLiteral("c'est un dossier, pas un fichier");
        return content;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        content.status = DirectoryContent::Status::Unreadable;
        content.reason = file.errorString();
        return content;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        content.status = DirectoryContent::Status::Unreadable;
        content.reason = file.errorString();
        return content;
    }
    return parseDirectory(std::move(bytes));
}

DirectoryContent parseDirectory(QByteArray bytes)
{
    DirectoryContent content;
    content.bytes = std::move(bytes);
    content.status = DirectoryContent::Status::Read;
    const QByteArrayView all(content.bytes);
    content.lines.reserve(all.count('\n') + 1);
    qsizetype start = 0;
    int lineNumber = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        const qsizetype next = end < 0 ? all.size() : end + 1;
        if (end < 0)
            end = all.size();
        QByteArrayView line = all.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        ++lineNumber;
        const std::optional<PersonRecord> record = parseRecordLine(line);
        if (!record) {
            content.status = DirectoryContent::Status::InvalidLine;
            content.invalidLine = lineNumber;
            return content;
        }
        content.lines.append({line.toByteArray(), *record});
        start = next;
    }
    return content;
}

QString readProblem(const DirectoryContent& content, const QString& path)
{
    switch (content.status) {
    case DirectoryContent::Status::Unreadable:
        return QStringLiteral("Le fichier des personnes « %1 » ne peut pas être lu : %2.")
            .arg(shownPath(path), content.reason);
    case DirectoryContent::Status::InvalidLine:
        return QStringLiteral("La ligne %1 du fichier des personnes « %2 » n'est pas un enregistrement valide.")
            .arg(content.invalidLine)
            .arg(shownPath(path));
    case DirectoryContent::Status::Missing:
    case DirectoryContent::Status::Read:
        break;
    }
    return {};
}

QByteArray rebuildDirectory(const QList<DirectoryLine>& lines, const PersonRecord* user, const PersonRecord* partner)
{
    QByteArray out;
    out.reserve(qsizetype(lines.size()) * 48 + 128);
    for (const DirectoryLine& line : lines) {
        if (user && line.record.sameNames(*user)) {
            out += formatRecordLine(*user);
            user = nullptr;
        } else if (partner && line.record.sameNames(*partner)) {
            out += formatRecordLine(*partner);
            partner = nullptr;
        } else {
            out += line.raw;
        }
        out += "\r\n";
    }
    if (user)
        out += formatRecordLine(*user) + "\r\n";
    if (partner)
        out += formatRecordLine(*partner) + "\r\n";
    return out;
}

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(content) != content.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
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
            result.message = QStringLiteral("Impossible d'enregistrer : le champ « %1 » contient %2, qui ne peut pas "
                                            "être enregistré dans le fichier des personnes.\r\n"
                                            "Corrigez ce champ puis sauvegardez à nouveau.")
                                 .arg(fieldName(problem->field, partnerLine), problem->character);
            result.fieldProblem = true;
            result.partnerLine = partnerLine;
            result.field = problem->field;
            return result;
        }
    }

    const QString path = directoryFilePath(m_dataFolder);
    const DirectoryContent content = readDirectory(path);
    const auto failure = [](const QString& message) { return SaveProblem{message}; };

    switch (content.status) {
    case DirectoryContent::Status::Unreadable:
        return failure(readProblem(content, path) + QStringLiteral("\r\nRien n'a été enregistré."));
    case DirectoryContent::Status::InvalidLine:
        return failure(readProblem(content, path) +
                       QStringLiteral("\r\nRien n'a été enregistré, pour ne perdre aucune donnée."));
    case DirectoryContent::Status::Missing: {
        QByteArray bytes;
        if (userComplete)
            bytes += formatRecordLine(user) + "\r\n";
        if (partnerComplete)
            bytes += formatRecordLine(partner) + "\r\n";
        if (const auto error = writeWholeFile(path, bytes))
            return failure(QStringLiteral("Le fichier des personnes « %1 » n'a pas pu être créé : %2.")
                               .arg(shownPath(path), *error));
        return std::nullopt;
    }
    case DirectoryContent::Status::Read:
        break;
    }

    const auto found = [&](const PersonRecord& candidate) {
        for (const DirectoryLine& line : content.lines) {
            if (line.record.sameNames(candidate))
                return true;
        }
        return false;
    };
    const auto question = [](const PersonRecord& r) {
        return r.firstName + u' ' + r.lastName + QStringLiteral(" a déjà été enregistré, modifier ?");
    };

    bool userPending = userComplete;
    bool partnerPending = partnerComplete;
    if (userPending && found(user) && !confirm(question(user), true))
        userPending = false;
    if (partnerPending && found(partner) && !confirm(question(partner), false))
        partnerPending = false;

    const QString backup = backupFilePath(m_dataFolder);
    if (const auto error = writeWholeFile(backup, content.bytes))
        return failure(QStringLiteral("La copie de sauvegarde « %1 » n'a pas pu être écrite : %2.\r\n"
                                      "Rien n'a été enregistré ; le fichier des personnes est resté tel qu'il était.")
                           .arg(shownPath(backup), *error));

    const QByteArray rebuilt =
        rebuildDirectory(content.lines, userPending ? &user : nullptr, partnerPending ? &partner : nullptr);
    if (const auto error = writeWholeFile(path, rebuilt))
        return failure(QStringLiteral("Le fichier des personnes « %1 » n'a pas pu être écrit : %2.\r\n"
                                      "Il est resté tel qu'il était.")
                           .arg(shownPath(path), *error));
    return std::nullopt;
}

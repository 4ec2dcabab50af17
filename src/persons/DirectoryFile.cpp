#include "persons/DirectoryFile.h"

#include "platform/Cp1252.h"
#include "platform/FileProbe.h"

#include <QDir>

#include <algorithm>

namespace {

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(path);
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

// A file, or a part pasted into it, saved by another editor in an encoding the directory never uses.
QString wrongEncoding(QByteArrayView bytes)
{
    const QString expected = QStringLiteral(", alors qu'il doit l'être en Windows-1252 (ANSI)");
    switch (cp1252::foreignEncoding(bytes)) {
    case cp1252::ForeignEncoding::Utf8WithMark:
        return QStringLiteral("il est encodé en UTF-8 avec une marque d'ordre des octets (BOM)") + expected;
    case cp1252::ForeignEncoding::Utf16:
        return QStringLiteral("il est encodé en UTF-16") + expected;
    case cp1252::ForeignEncoding::Utf32:
        return QStringLiteral("il est encodé en UTF-32") + expected;
    case cp1252::ForeignEncoding::None:
        break;
    }
    return {};
}

// What an editor shows as an empty line: blanks, tabs, form feeds; and, on the last line, the end-of-file mark
// (Ctrl-Z) old DOS editors put there.
bool isBlank(QByteArrayView line, bool last)
{
    return std::all_of(line.begin(), line.end(), [last](char c) {
        return c == ' ' || c == '\t' || c == '\f' || c == '\v' || (last && c == '\x1A');
    });
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
    // Beside the file actually written: copies whose data folders link to one file exclude each other.
    return fileaccess::endOfLinks(directoryFilePath(dataFolder)) + QStringLiteral(".lock");
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
        if (!isBlank(line, next >= all.size())) {
            QString reason;
            // A zero byte is no character of a text file: named with its line, so that the user can find it.
            if (line.contains('\0'))
                reason = QStringLiteral("elle contient un octet nul (0x00), absent de tout fichier texte");
            else if (line.startsWith("\xEF\xBB\xBF")) // text pasted from a UTF-8 file, mark and all
                reason = QStringLiteral("elle commence par la marque d'ordre des octets (BOM) d'un texte en UTF-8, "
                                        "alors que le fichier doit être en Windows-1252 (ANSI)");
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

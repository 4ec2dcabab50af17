#include "persons/PersonRecord.h"

#include "platform/Cp1252.h"

QString profileDigits(const std::array<qint16, 10>& scores)
{
    QString digits;
    for (std::size_t i = 1; i <= 9; ++i)
        digits += QChar(u'0' + scores[i]);
    return digits;
}

std::array<qint16, 10> scoresFromProfile(const QString& profile)
{
    std::array<qint16, 10> scores{};
    for (int i = 1; i <= 9; ++i) {
        const QChar c = i <= profile.size() ? profile[i - 1] : QChar();
        scores[std::size_t(i)] = (c >= u'0' && c <= u'9') ? qint16(c.unicode() - u'0') : qint16(0);
    }
    return scores;
}

QByteArray formatRecordLine(const PersonRecord& record)
{
    QByteArray line;
    const QStringList fields = record.fields();
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        QByteArray bytes;
        cp1252::encode(fields[i], bytes);
        line += '"' + bytes + '"';
    }
    return line;
}

LineProblem splitRecordLine(QByteArrayView line, std::array<QByteArrayView, 6>& fields, std::size_t wanted)
{
    std::size_t count = 0;
    qsizetype pos = 0;
    const qsizetype size = line.size();
    while (true) {
        while (pos < size && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        if (pos >= size || line[pos] != '"')
            return LineProblem::NotQuoted;
        const qsizetype close = line.indexOf('"', pos + 1);
        if (close < 0)
            return LineProblem::QuoteNotClosed;
        if (count == fields.size())
            return LineProblem::TooManyFields;
        fields[count++] = line.sliced(pos + 1, close - pos - 1);
        if (count == wanted && wanted < fields.size())
            return LineProblem::None;
        pos = close + 1;
        // Whatever follows the closing quote up to the next comma is skipped.
        while (pos < size && line[pos] != ',')
            ++pos;
        if (pos >= size)
            break;
        ++pos;
    }
    return count == fields.size() ? LineProblem::None : LineProblem::TooFewFields;
}

std::optional<PersonRecord> parseRecordLine(QByteArrayView line)
{
    std::array<QByteArrayView, 6> fields;
    if (splitRecordLine(line, fields) != LineProblem::None)
        return std::nullopt;
    PersonRecord record;
    record.lastName = cp1252::decode(fields[0]);
    record.firstName = cp1252::decode(fields[1]);
    record.type = cp1252::decode(fields[2]);
    record.wing1 = cp1252::decode(fields[3]);
    record.wing2 = cp1252::decode(fields[4]);
    record.profile = cp1252::decode(fields[5]);
    return record;
}

namespace {

QString describe(QStringView text, qsizetype index)
{
    const char32_t code = QStringView(text).mid(index).toUcs4().value(0);
    const QString shown = QString::fromUcs4(&code, 1);
    return QStringLiteral("le caractère « %1 »").arg(shown);
}

std::optional<QString> problemIn(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u';')
            return describe(text, i);
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("un caractère de contrôle (U+%1)")
                .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
    }
    const qsizetype bad = cp1252::firstUnencodable(text);
    if (bad >= 0)
        return describe(text, bad);
    return std::nullopt;
}

} // namespace

std::optional<StorableProblem> checkStorable(const PersonRecord& record)
{
    const QStringList fields = record.fields();
    for (int i = 0; i < fields.size(); ++i) {
        if (const auto problem = problemIn(fields[i]))
            return StorableProblem{RecordField(i), *problem};
    }
    return std::nullopt;
}

#include "persons/PersonRecord.h"

#include "platform/Cp1252.h"

PersonRecord savedUser(const ShownProfile& shown)
{
    return PersonRecord{shown.lastName,  shown.firstName, shown.typeText,
                        shown.wing1Text, shown.wing2Text, profileDigits(shown.scores)}
        .trimmed();
}

PersonRecord savedPartner(const ShownProfile& shown)
{
    return PersonRecord{shown.partnerLastName, shown.partnerFirstName, shown.partnerTypeText, {}, {}, {}}.trimmed();
}

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

QString codeOf(char32_t code)
{
    return QStringLiteral("U+") + QString::number(code, 16).toUpper().rightJustified(4, u'0');
}

// The invisible and combining characters names are most often pasted with, by their usual French names.
QString usualName(char32_t code)
{
    switch (code) {
    case 0x00AD:
        return QStringLiteral("trait d'union conditionnel");
    case 0x034F:
        return QStringLiteral("séparateur de graphèmes");
    case 0x061C:
        return QStringLiteral("marque de lettre arabe");
    case 0x200B:
        return QStringLiteral("espace sans chasse");
    case 0x200C:
        return QStringLiteral("antiliant sans chasse");
    case 0x200D:
        return QStringLiteral("liant sans chasse");
    case 0x200E:
        return QStringLiteral("marque de gauche à droite");
    case 0x200F:
        return QStringLiteral("marque de droite à gauche");
    case 0x202A:
        return QStringLiteral("enchâssement de gauche à droite");
    case 0x202B:
        return QStringLiteral("enchâssement de droite à gauche");
    case 0x202C:
        return QStringLiteral("dépilement de formatage directionnel");
    case 0x202D:
        return QStringLiteral("forçage de gauche à droite");
    case 0x202E:
        return QStringLiteral("forçage de droite à gauche");
    case 0x2060:
        return QStringLiteral("gluon de mots");
    case 0x2066:
        return QStringLiteral("isolat de gauche à droite");
    case 0x2067:
        return QStringLiteral("isolat de droite à gauche");
    case 0x2068:
        return QStringLiteral("isolat de première force");
    case 0x2069:
        return QStringLiteral("dépilement d'isolat");
    case 0xFEFF:
        return QStringLiteral("marque d'ordre des octets");
    case 0x0300:
        return QStringLiteral("accent grave");
    case 0x0301:
        return QStringLiteral("accent aigu");
    case 0x0302:
        return QStringLiteral("accent circonflexe");
    case 0x0303:
        return QStringLiteral("tilde");
    case 0x0308:
        return QStringLiteral("tréma");
    case 0x030A:
        return QStringLiteral("rond en chef");
    case 0x030C:
        return QStringLiteral("caron");
    case 0x0327:
        return QStringLiteral("cédille");
    case 0x0328:
        return QStringLiteral("ogonek");
    default:
        return {};
    }
}

// Shown as itself, a character the user can see and remove; an invisible one, or an accent that sits on the letter
// before it, is named by its code (and usual name) instead, since quoting it would show nothing.
QString describe(QStringView text, qsizetype index)
{
    const char32_t code = text.mid(index).toUcs4().value(0);
    switch (QChar::category(code)) {
    case QChar::Other_Format:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing: {
        const QString name = usualName(code);
        const QString kind = QChar::category(code) == QChar::Other_Format ? QStringLiteral("le caractère invisible ")
                                                                          : QStringLiteral("le signe combinant ");
        return kind + codeOf(code) + (name.isEmpty() ? QString() : QStringLiteral(" (") + name + u')');
    }
    default:
        return QStringLiteral("le caractère «\u00a0%1\u00a0»").arg(QString::fromUcs4(&code, 1));
    }
}

std::optional<QString> problemIn(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u';')
            return describe(text, i);
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("un caractère de contrôle (%1)").arg(codeOf(c.unicode()));
        // Windows-1252 holds one invisible character, the soft hyphen: a name with it would look like another.
        if (c.category() == QChar::Other_Format)
            return describe(text, i);
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

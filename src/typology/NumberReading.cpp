#include "typology/NumberReading.h"

#include <QRegularExpression>
#include <cmath>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Rounds to the nearest integer, a half going to the even neighbour.
double roundHalfEven(double value)
{
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    if (diff > 0.5)
        return floorValue + 1;
    if (diff < 0.5)
        return floorValue;
    return std::fmod(floorValue, 2.0) == 0 ? floorValue : floorValue + 1;
}

} // namespace

qint16 typeNumberOf(QStringView text)
{
    const qsizetype slash = text.indexOf(u'/');
    if (slash >= 0)
        text = text.left(slash);

    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;

    QString digits;
    bool inFraction = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128)
            digits += c;
        else if (isBlank(c))
            continue;
        else if (c == u'.' && !inFraction) {
            inFraction = true;
            digits += c;
        } else
            break;
    }
    if (digits.isEmpty() || digits == u".")
        return 0;
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok)
        return 0;
    const double rounded = roundHalfEven(value);
    if (rounded > 32767)
        return 0;
    return qint16(rounded);
}

std::optional<qint16> readPersonType(QStringView text)
{
    const qint16 value = typeNumberOf(text.trimmed());
    if (value < 1 || value > 9)
        return std::nullopt;
    return value;
}

qint16 readWing(QStringView text, int neighbour)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0;
    const qint16 value = typeNumberOf(trimmed);
    return value == neighbour ? value : 0;
}

QString PartnerType::refusal() const
{
    switch (error) {
    case PartnerTypeError::None:
        break;
    case PartnerTypeError::Empty:
        return QStringLiteral("Merci de préciser le type Ennéagramme du partenaire");
    case PartnerTypeError::OutOfRange:
        return QStringLiteral("Le type Ennéagramme du partenaire doit être compris entre 1 et 9");
    }
    return {};
}

PartnerType readPartnerType(QStringView text)
{
    const QString s = text.trimmed().toString();
    if (s.isEmpty())
        return {PartnerTypeError::Empty, 0};
    static const QRegularExpression number(QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)$"));
    if (!number.match(s).hasMatch())
        return {PartnerTypeError::OutOfRange, 0};
    bool ok = false;
    const double value = s.toDouble(&ok);
    if (!ok)
        return {PartnerTypeError::OutOfRange, 0};
    const double rounded = roundHalfEven(value);
    if (!(rounded >= 1 && rounded <= 9))
        return {PartnerTypeError::OutOfRange, 0};
    return {PartnerTypeError::None, qint16(rounded)};
}

#include "interpretation/ReportText.h"

#include <array>

namespace report {

namespace {

QString names(const QString& firstName, const QString& lastName)
{
    return (firstName.trimmed() + u' ' + lastName.trimmed()).trimmed();
}

} // namespace

QString title(const QString& firstName, const QString& lastName)
{
    const QString person = names(firstName, lastName);
    return person.isEmpty() ? QStringLiteral("Psyche Rondo") : QStringLiteral("Psyche Rondo - ") + person;
}

QString fileName(const QString& firstName, const QString& lastName)
{
    // At three bytes a character in UTF-8, 64 characters of names keep the whole name well below the 255 bytes
    // that common file systems allow.
    constexpr qsizetype kLongestNames = 64;
    QString person = names(firstName, lastName);
    if (person.size() > kLongestNames) {
        qsizetype cut = kLongestNames;
        if (person.at(cut - 1).isHighSurrogate())
            --cut;
        person = person.left(cut).trimmed();
    }
    if (person.isEmpty())
        person = QStringLiteral("rapport");
    for (QChar& c : person) {
        if (c.category() == QChar::Other_Control || QStringLiteral("<>:\"/\\|?*").contains(c))
            c = u'-';
    }
    return QStringLiteral("Psyche Rondo - ") + person + QStringLiteral(".pdf");
}

QString frenchDate(const QDate& date)
{
    static const std::array<const char16_t*, 12> months = {u"janvier",   u"février", u"mars",     u"avril",
                                                           u"mai",       u"juin",    u"juillet",  u"août",
                                                           u"septembre", u"octobre", u"novembre", u"décembre"};
    if (!date.isValid())
        return {};
    const QString day = date.day() == 1 ? QStringLiteral("1er") : QString::number(date.day());
    return day + u' ' + QString::fromUtf16(months[size_t(date.month() - 1)]) + u' ' + QString::number(date.year());
}

} // namespace report

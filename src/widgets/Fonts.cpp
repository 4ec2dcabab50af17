#include "widgets/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace fonts {

namespace {

const QStringList& fallbacks()
{
    static const QStringList families{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                      QStringLiteral("Arial"), QStringLiteral("Helvetica")};
    return families;
}

// The first of `preferred`, then of the fallbacks, that the system has; looked up once per font, since asking the
// font system for a family it lacks is slow and every label would ask again.
QString firstAvailable(const QStringList& preferred)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred + fallbacks()) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return QFont().defaultFamily();
}

QFont sized(const QString& family, qreal pointSize, bool bold)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont sansSerif(qreal pointSize, bool bold)
{
    static const QString family =
        firstAvailable({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")});
    return sized(family, pointSize, bold);
}

QFont verdana(qreal pointSize)
{
    static const QString family = firstAvailable({QStringLiteral("Verdana")});
    return sized(family, pointSize, false);
}

QFont report(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies(fallbacks());
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace fonts

#include "app/Twips.h"

#include <QLabel>
#include <QStringList>
#include <cmath>

namespace twips {

int toPixels(int twips)
{
    return int(std::lround(double(twips) / kPerPixel));
}

int fromPixels(int pixels)
{
    return pixels * kPerPixel;
}

QPoint point(int x, int y)
{
    return {toPixels(x), toPixels(y)};
}

QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

QPoint pagePoint(int x, int y)
{
    return point(x, y - kTabBarHeight);
}

QRect pageRect(int left, int top, int width, int height)
{
    return rect(left, top - kTabBarHeight, width, height);
}

QFont sansSerif(qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont verdana(qreal pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace twips

namespace twips {

void fitText(QLabel* label)
{
    QFont font = label->font();
    const auto fits = [&] {
        const QFontMetrics metrics(font);
        if (label->wordWrap())
            return metrics.boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, label->text()).height() <=
                   label->height();
        return metrics.horizontalAdvance(label->text()) <= label->width();
    };
    while (!fits() && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

} // namespace twips

#include "app/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
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

namespace {

// The first of these families that the system has; looked up once, since asking the font system for a family it
// lacks is slow and every label would ask again.
QString firstAvailable(const QStringList& families)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return QFont().defaultFamily();
}

} // namespace

QFont sansSerif(qreal pointSize, bool bold)
{
    static const QString family =
        firstAvailable({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                        QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont verdana(qreal pointSize)
{
    static const QString family = firstAvailable({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace twips

namespace twips {

namespace {

void fitNow(QLabel* label)
{
    // Each trial size loads a font, which is slow: jump straight to the size the measured overflow calls for.
    QFont font = label->font();
    for (int attempt = 0; attempt < 4 && font.pointSizeF() > 6; ++attempt) {
        const QFontMetricsF metrics(font);
        qreal ratio = 1;
        if (label->wordWrap()) {
            const qreal height =
                metrics.boundingRect(QRectF(0, 0, label->width(), 10000), Qt::TextWordWrap, label->text()).height();
            ratio = height <= label->height() ? 1 : std::sqrt(label->height() / height);
        } else {
            const qreal width = metrics.horizontalAdvance(label->text());
            ratio = width <= label->width() ? 1 : label->width() / width;
        }
        if (ratio >= 1)
            break;
        font.setPointSizeF(std::max<qreal>(6, std::floor(font.pointSizeF() * ratio * 4) / 4));
    }
    label->setFont(font);
}

// Fits a caption when it is first shown, so that the pages the user has not opened yet cost nothing at start-up.
class FitOnShow : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            fitNow(static_cast<QLabel*>(watched));
        }
        return false;
    }
};

} // namespace

void fitText(QLabel* label)
{
    static FitOnShow* filter = new FitOnShow(qApp);
    label->installEventFilter(filter);
}

} // namespace twips

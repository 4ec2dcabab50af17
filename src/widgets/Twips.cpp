#include "widgets/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QStringList>
#include <QTabWidget>
#include <QVariant>
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

namespace {

const char* const kTabPosition = "psycheTabPosition";

// Moves a page's children to their tab-control positions; watches the page, which is shown when its tab is
// chosen, and the page's parent, which the tab control moves when it lays out its tab bar and frame.
class TabPagePlacer : public QObject
{
public:
    explicit TabPagePlacer(QWidget* page) : QObject(page), m_page(page) {}

    void place()
    {
        const QPoint offset = tabPageOffset(m_page);
        if (offset == m_placedAt)
            return;
        m_placedAt = offset;
        for (QObject* object : m_page->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow())
                continue;
            QVariant position = child->property(kTabPosition);
            if (!position.isValid()) {
                position = child->pos();
                child->setProperty(kTabPosition, position);
            }
            child->move(position.toPoint() - offset);
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ParentChange:
            place();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget* m_page;
    QPoint m_placedAt{-1, -1};
};

} // namespace

QPoint tabPageOffset(const QWidget* page)
{
    for (const QWidget* w = page->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<const QTabWidget*>(w))
            return page->mapTo(w, QPoint(0, 0));
    }
    return {};
}

void placeOnTabPage(QWidget* page)
{
    auto* placer = new TabPagePlacer(page);
    page->installEventFilter(placer);
    if (QWidget* parent = page->parentWidget())
        parent->installEventFilter(placer);
    placer->place();
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

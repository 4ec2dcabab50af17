#include "widgets/TabPage.h"

#include <QEvent>
#include <QTabWidget>
#include <QVariant>

namespace controls {

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

void showTabPage(QWidget* page)
{
    for (QWidget* parent = page->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(parent)) {
            tabs->setCurrentWidget(page);
            return;
        }
    }
}

} // namespace controls

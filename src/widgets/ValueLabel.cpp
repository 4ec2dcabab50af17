#include "widgets/ValueLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

class AccessibleValueLabel : public QAccessibleWidget
{
public:
    explicit AccessibleValueLabel(ValueLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const ValueLabel*>(widget());
        switch (t) {
        case QAccessible::Name:
            return label->accessibleName().isEmpty() ? label->spokenText() : label->accessibleName();
        case QAccessible::Value:
            return label->text().trimmed();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface* valueLabelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ValueLabel") && object && object->isWidgetType())
        return new AccessibleValueLabel(static_cast<ValueLabel*>(object));
    return nullptr;
}

} // namespace

ValueLabel::ValueLabel(const QString& caption, QWidget* parent) : QLabel(parent), m_caption(caption)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(valueLabelFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setTextFormat(Qt::PlainText);
}

void ValueLabel::setSpokenDetail(std::function<QString()> detail)
{
    m_detail = std::move(detail);
}

QString ValueLabel::spokenText() const
{
    const QString value = text().trimmed();
    QString spoken = m_caption + QStringLiteral("\u00a0: ") + (value.isEmpty() ? QStringLiteral("vide") : value);
    if (m_detail) {
        const QString detail = m_detail();
        if (!detail.isEmpty())
            spoken += QStringLiteral(", ") + detail;
    }
    return spoken;
}

void ValueLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    // Only the top strip's type takes the focus, when a result is announced; keyboard users see where they are.
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect().adjusted(1, 1, -1, -1);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

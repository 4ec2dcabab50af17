#include "widgets/Controls.h"

#include "widgets/Twips.h"
#include "widgets/ValueLabel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

// Shrinks its font once, when first shown, until its text fits its size.
class FittedLabel : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void showEvent(QShowEvent* event) override
    {
        if (!m_fitted) {
            m_fitted = true;
            fit();
        }
        QLabel::showEvent(event);
    }

private:
    void fit()
    {
        // Each trial size loads a font, which is slow: jump straight to the size the measured overflow calls for.
        QFont shrunk = font();
        for (int attempt = 0; attempt < 4 && shrunk.pointSizeF() > 6; ++attempt) {
            const QFontMetricsF metrics(shrunk);
            qreal ratio = 1;
            if (wordWrap()) {
                const qreal height =
                    metrics.boundingRect(QRectF(0, 0, width(), 10000), Qt::TextWordWrap, text()).height();
                ratio = height <= this->height() ? 1 : std::sqrt(this->height() / height);
            } else {
                const qreal advance = metrics.horizontalAdvance(text());
                ratio = advance <= width() ? 1 : width() / advance;
            }
            if (ratio >= 1)
                break;
            shrunk.setPointSizeF(std::max<qreal>(6, std::floor(shrunk.pointSizeF() * ratio * 4) / 4));
        }
        setFont(shrunk);
    }

    bool m_fitted = false;
};

} // namespace

namespace controls {

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QLabel* label(QWidget* parent, const QString& text, const QRect& area, const QFont& font)
{
    auto* label = new FittedLabel(text, parent);
    label->setTextFormat(Qt::PlainText); // names and types come from the user or the file: never markup
    label->setGeometry(area);
    label->setFont(font);
    label->setWordWrap(text.size() > 60);
    return label;
}

ValueLabel* value(QWidget* parent, const char* name, const QString& caption, const QRect& area, const QFont& font)
{
    auto* label = new ValueLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(area);
    label->setFont(font);
    label->setIndent(4);
    return label;
}

QLineEdit* field(QWidget* parent, const char* name, const QRect& area, const QString& accessibleName)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(area);
    field->setAccessibleName(accessibleName);
    field->setMaxLength(kFieldCapacity);
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        const QString composed = text.normalized(QString::NormalizationForm_C);
        if (composed == text)
            return;
        const qsizetype after = text.size() - field->cursorPosition();
        field->setText(composed);
        field->setCursorPosition(int(std::max<qsizetype>(0, composed.size() - after)));
    });
    return field;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& area)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(area);
    return button;
}

void pageBackground(QWidget* page, const QColor& colour)
{
    auto* background = new QWidget(page);
    background->setGeometry(twips::rect(120, 480, 11895, 6375));
    background->setAutoFillBackground(true);
    setColour(background, QPalette::Window, colour);
}

QLabel* titleStrip(QWidget* parent, const char* name, const QString& text, const QRect& area, const QFont& font)
{
    auto* strip = new QLabel(text, parent);
    strip->setTextFormat(Qt::PlainText);
    strip->setObjectName(QLatin1String(name));
    strip->setGeometry(area);
    strip->setAlignment(Qt::AlignCenter);
    strip->setFont(font);
    strip->setAutoFillBackground(true);
    setColour(strip, QPalette::Window, QColor(255, 255, 128));
    setColour(strip, QPalette::WindowText, Qt::black);
    return strip;
}

bool isEnterKey(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool pressFocusedButton(QWidget* window, const QKeyEvent* event)
{
    if (!isEnterKey(event))
        return false;
    auto* button = qobject_cast<QPushButton*>(window->focusWidget());
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

} // namespace controls

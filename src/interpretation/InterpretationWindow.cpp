#include "interpretation/InterpretationWindow.h"

#include "interpretation/InterpretationLayout.h"
#include "platform/MessageService.h"
#include "platform/PrintService.h"
#include "platform/TextCatalog.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

InterpretationWindow::InterpretationWindow(MessageService& messages, PrintService& printer)
    : m_messages(messages), m_printer(printer)
{
    setObjectName(QStringLiteral("interpret"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Interprétation"));

    m_title = controls::titleStrip(this, "interpretationTitleLabel", QString(), twips::rect(0, 0, 9375, 375),
                                   fonts::sansSerif(13.5));

    m_printButton = new QPushButton(QStringLiteral("Imprimer"), this);
    m_printButton->setObjectName(QStringLiteral("interpretationPrintButton"));
    m_printButton->setAccessibleDescription(QStringLiteral("Imprime tout le texte de l'interprétation."));
    m_printButton->setGeometry(twips::rect(0, 0, 1095, 375));
    connect(m_printButton, &QPushButton::clicked, this, &InterpretationWindow::print);

    m_textBox = new QPlainTextEdit(this);
    m_textBox->setObjectName(QStringLiteral("interpretationTextBox"));
    m_textBox->setGeometry(twips::rect(0, 360, 9375, 6735));
    m_textBox->setFont(fonts::sansSerif(12));
    m_textBox->setReadOnly(true);
    m_textBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_textBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_textBox->setAccessibleName(QStringLiteral("Texte de l'interprétation"));

    resize(twips::toPixels(9375), twips::toPixels(7095));
    m_printButton->raise();
}

void InterpretationWindow::clearText()
{
    m_text.clear();
    m_textBox->clear();
}

void InterpretationWindow::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString InterpretationWindow::title() const
{
    return m_title->text();
}

void InterpretationWindow::appendLine(const QString& line)
{
    m_text += line;
    m_text += QStringLiteral("\r\n");
    // Only the new line is laid out, so that a long analysis stays fast to write.
    QTextCursor cursor(m_textBox->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(withNewlines(line) + u'\n');
}

void InterpretationWindow::print()
{
    QTextCursor cursor = m_textBox->textCursor();
    cursor.clearSelection();
    m_textBox->setTextCursor(cursor);
    if (m_printer.print(this, m_text, m_textBox->font()) == PrintOutcome::Failed)
        m_messages.inform(this, QStringLiteral("L'impression a échoué."));
}

void InterpretationWindow::keyPressEvent(QKeyEvent* event)
{
    if (!controls::pressFocusedButton(this, event))
        QWidget::keyPressEvent(event);
}

void InterpretationWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const QRect frame = frameGeometry();
    const int width = twips::fromPixels(frame.width());
    const int height = twips::fromPixels(frame.height());
    const int titleHeight = twips::fromPixels(m_title->height());

    m_title->resize(event->size().width(), m_title->height());
    const TextBoxSize size = interpretationTextBoxSize(
        width, height, titleHeight, {twips::fromPixels(m_textBox->width()), twips::fromPixels(m_textBox->height())});
    // A few twips round to no pixel at all; the box keeps at least one.
    m_textBox->resize(std::max(1, twips::toPixels(size.width)), std::max(1, twips::toPixels(size.height)));
}

#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class MessageService;
class PrintService;

// The one window in which every analysis shows its text. Modeless; destroyed when the user closes it.
class InterpretationWindow : public QWidget
{
    Q_OBJECT
public:
    InterpretationWindow(MessageService& messages, PrintService& printer);

    void clearText();
    void setTitle(const QString& title);
    void appendLine(const QString& line); // the line, then CR LF; nothing trimmed

    QString title() const;
    QString text() const { return m_text; } // with its CR LF line ends
    QPlainTextEdit* textBox() const { return m_textBox; }

    void print();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    MessageService& m_messages;
    PrintService& m_printer;
    QString m_text;
    QLabel* m_title;
    QPushButton* m_printButton;
    QPlainTextEdit* m_textBox;
};

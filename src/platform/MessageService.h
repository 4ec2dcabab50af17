#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through this seam, so that tests answer them without a display.
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Yes, No, Cancel, Previous };
// A box of a sequence may offer to go back one step; on the first step the button is there but cannot be pressed.
enum class PreviousButton { None, Disabled, Enabled };

struct MessageRequest
{
    QString text;
    QString title; // empty: the caption is the application title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    MessageAnswer defaultButton = MessageAnswer::Ok;
    QString informativeText{}; // a line under the text, such as where a sequence of boxes stands
    PreviousButton previous = PreviousButton::None;
};

inline const QString kApplicationTitle = QStringLiteral("Orvane");

class MessageService
{
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer show(QWidget* parent, const MessageRequest& request) = 0;

    // A refusal or notice: OK only, no icon, no title of its own.
    void inform(QWidget* parent, const QString& text) { show(parent, MessageRequest{text, QString()}); }
};

// Real boxes: QMessageBox with French buttons. Escape and the close box answer "Annuler" in a Yes/No/Cancel box and
// "Non" in a Yes/No box. "Précédente" (Alt+P), where offered, stands apart on the left, as a step back does.
class QtMessageService : public MessageService
{
public:
    MessageAnswer show(QWidget* parent, const MessageRequest& request) override;
};

#include "platform/MessageService.h"

#include <QMessageBox>
#include <QPushButton>

MessageAnswer QtMessageService::show(QWidget* parent, const MessageRequest& request)
{
    QMessageBox box(parent);
    box.setWindowTitle(request.title.isEmpty() ? kApplicationTitle : request.title);
    box.setText(request.text);
    box.setTextFormat(Qt::PlainText);
    if (!request.informativeText.isEmpty()) {
        box.setInformativeText(request.informativeText);
        // Screen readers read a box's description when it opens; left alone it holds the text only, so the line
        // under it would never be heard.
        box.setAccessibleDescription(request.text + u'\n' + request.informativeText);
    }
    switch (request.icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }

    QAbstractButton* ok = nullptr;
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    QAbstractButton* cancel = nullptr;
    QAbstractButton* previous = nullptr;
    if (request.previous != PreviousButton::None) {
        previous = box.addButton(QStringLiteral("&Précédente"), QMessageBox::ResetRole);
        previous->setEnabled(request.previous == PreviousButton::Enabled);
    }
    if (request.buttons == MessageButtons::Ok) {
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
        if (request.buttons == MessageButtons::YesNoCancel) {
            cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
            box.setEscapeButton(cancel);
        } else {
            box.setEscapeButton(no);
        }
    }
    QAbstractButton* defaultButton = ok;
    if (request.defaultButton == MessageAnswer::Yes && yes)
        defaultButton = yes;
    else if (request.defaultButton == MessageAnswer::No && no)
        defaultButton = no;
    else if (request.defaultButton == MessageAnswer::Cancel && cancel)
        defaultButton = cancel;
    else if (!defaultButton)
        defaultButton = yes;
    box.setDefaultButton(qobject_cast<QPushButton*>(defaultButton));

    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == ok)
        return MessageAnswer::Ok;
    if (clicked == yes)
        return MessageAnswer::Yes;
    if (clicked == no)
        return MessageAnswer::No;
    if (clicked && clicked == previous)
        return MessageAnswer::Previous;
    if (request.buttons == MessageButtons::YesNo)
        return MessageAnswer::No;
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return MessageAnswer::Cancel;
}

#pragma once

#include <QWidget>

class QKeyEvent;
class QPlainTextEdit;

// "Aide": the user guide, modeless, destroyed by "Ok" or its close box.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    HelpWindow();
    QString guide() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

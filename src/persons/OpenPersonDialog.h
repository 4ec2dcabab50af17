#pragma once

#include "persons/PersonRecord.h"

#include <QDialog>

class QListView;
class QPushButton;
class MessageService;

// "Ouvrir": lists the saved persons and hands the chosen one back to the main window as the user or the partner.
class OpenPersonDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Choice { None, User, Partner };

    OpenPersonDialog(const QString& dataFolder, MessageService& messages, QWidget* parent = nullptr);

    Choice choice() const { return m_choice; }
    PersonRecord chosen() const { return m_chosen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill(const QString& dataFolder);
    void choose(Choice choice);

    MessageService& m_messages;
    QListView* m_list;
    QPushButton* m_toUser;
    QPushButton* m_toPartner;
    Choice m_choice = Choice::None;
    PersonRecord m_chosen;
};

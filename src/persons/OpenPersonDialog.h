#pragma once

#include "persons/PersonDirectory.h"

#include <QDialog>

class QLineEdit;
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
    void fill();
    void setContent(DirectoryContent content); // the list shows it, filtered by what the search field holds
    int selectedRow() const;                   // -1 when no entry is selected
    void erase();
    void applySearch(const QString& query);
    void choose(Choice choice);

    QString m_dataFolder;
    MessageService& m_messages;
    QLineEdit* m_search;
    QListView* m_list;
    QPushButton* m_toUser;
    QPushButton* m_toPartner;
    QPushButton* m_erase;
    Choice m_choice = Choice::None;
    PersonRecord m_chosen;
};

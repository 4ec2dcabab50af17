#pragma once

#include "persons/PersonRecord.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The strip above the tabs: the user's line ("Vous :", first name, last name, type) with "Calculer" and
// "Effacer tout". The wings go with the type without being shown.
class PersonStrip : public QWidget
{
    Q_OBJECT
public:
    explicit PersonStrip(QWidget* parent = nullptr);

    // Names, type and wings emptied.
    void clear();
    void setNames(const QString& firstName, const QString& lastName);
    // The type and wings a questionnaire found; a wing of 0 is shown as " 0".
    void showTyping(int type, int wing1, int wing2);
    // Names, type and wings of a saved person, as stored.
    void showPerson(const PersonRecord& person);
    // The line as shown, spaces included: names, type and wings; no profile.
    PersonRecord person() const;

    // Brings the focus to the field of the line that holds this part of the record; false when no field holds it
    // (the type is found or reopened, never typed).
    bool focusField(RecordField field);
    // The type takes the focus, so that a screen reader says it with its wings.
    void announceType();
    QPushButton* computeButton() const { return m_compute; }

signals:
    void computeRequested();
    void clearRequested();
    void namesEdited();
    void namesTyped(); // by the user, not by the program writing them

private:
    QLineEdit* m_firstName;
    QLineEdit* m_lastName;
    QLabel* m_te1;
    QLabel* m_aile1;
    QLabel* m_aile2;
    QPushButton* m_compute;
};

#pragma once

#include "persons/PersonRecord.h"

#include <QWidget>

class EnneagramFigure;
class QLabel;
class QLineEdit;
class QPushButton;

// The "Interaction entre deux personnes" page: the partner's line (names and type), the two types on the figure
// joined by a line, and the keyword of the pair.
class InteractionPage : public QWidget
{
    Q_OBJECT
public:
    explicit InteractionPage(QWidget* parent = nullptr);

    // The partner's line emptied and the figure in its own colours; nothing to compute or interpret. The keyword
    // stays until the next interaction is computed.
    void clear();
    // The user's type on the figure; the interaction can now be computed and interpreted.
    void showUserType(int type);
    // The two types on a figure of their own and the keyword of the pair.
    void showInteraction(int userType, int partnerType);

    // The partner's line as typed: names and type, no wings, no profile.
    PersonRecord partner() const;
    void showPartner(const PersonRecord& partner);
    // The keyword as shown; the interaction is written from this text.
    QString keyword() const;
    // Brings the page to the front and the focus to the field of the partner's line that holds this part of the
    // record; false when no field holds it.
    bool focusField(RecordField field);

signals:
    void computeRequested();
    void interpretRequested();
    void partnerNamesEdited();

private:
    EnneagramFigure* m_figure;
    QLineEdit* m_firstName;
    QLineEdit* m_lastName;
    QLineEdit* m_te2;
    QPushButton* m_compute;
    QLabel* m_keyword;
    QPushButton* m_interpret;
};

#pragma once

#include "typology/DetailsValues.h"
#include "widgets/EnneagramFigure.h"

#include <QWidget>

class QLabel;
class QPushButton;

// The "Détails" page: the type on the figure with its wings, its stress and relaxation lines, and beside it the
// type's points, passion, antidote and evolution paths.
class DetailsPage : public QWidget
{
    Q_OBJECT
public:
    explicit DetailsPage(QWidget* parent = nullptr);

    // Empty values, the figure in its own colours, nothing to interpret.
    void clear();
    // A wing of 0 is no wing.
    void showResult(int type, int wing1, int wing2);
    // What the page shows, as its labels read.
    DetailsValues values() const;
    // The marks the figure shows.
    EnneagramFigure::Marks figureMarks() const;

signals:
    void interpretRequested();

private:
    EnneagramFigure* m_figure;
    QLabel* m_type;
    QLabel* m_wing;
    QLabel* m_chargePoint;
    QLabel* m_dischargePoint;
    QLabel* m_passion;
    QLabel* m_antidote;
    QLabel* m_evolution1;
    QLabel* m_evolution2;
    QPushButton* m_interpret;
};

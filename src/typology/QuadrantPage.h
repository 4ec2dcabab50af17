#pragma once

#include "typology/Analyses.h"
#include "typology/QuadrantTable.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

// The "Carré fondamental" page: four boxes joined by arrows, and two linked lists that always show the same row.
class QuadrantPage : public QWidget
{
    Q_OBJECT
public:
    QuadrantPage(const QuadrantTable& table, QWidget* parent = nullptr);

    // Lists and labels from the table's rows 1 to 5, both lists on the first row; the quadrant can be interpreted.
    void prime();
    // Empty lists and labels; nothing to interpret.
    void clear();

    // The four words of the selected row, as the table holds them.
    analyses::QuadrantWords selectedWords() const;

signals:
    void interpretRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int selectedRow() const; // index of the quality list + 1; 0 when nothing is selected
    void qualitySelected(int index);
    void allergySelected(int index);
    void showRow(int row);

    const QuadrantTable& m_table;
    QComboBox* m_quality;
    QComboBox* m_allergy;
    QLabel* m_qualityType;
    QLabel* m_pitfallType;
    QLabel* m_pitfall;
    QLabel* m_challengeType;
    QLabel* m_challenge;
    QLabel* m_allergyType;
    QPushButton* m_button;
};

#pragma once

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
    explicit QuadrantPage(QWidget* parent = nullptr);

    // Lists and labels from the table's rows 1 to 5, both lists on the first row; the quadrant can be interpreted.
    // The page keeps its own copy of the rows it shows.
    void prime(const QuadrantTable& table);
    // Empty lists and labels; nothing to interpret.
    void clear();

    // The table row the lists show: the quality list's index + 1; 0 when nothing is selected.
    int selectedRow() const;

signals:
    void interpretRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void qualitySelected(int index);
    void allergySelected(int index);
    void showRow(int row);

    QuadrantTable m_table;
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

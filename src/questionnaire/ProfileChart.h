#pragma once

#include "questionnaire/Scoring.h"

#include <QWidget>

// The bar chart of the nine scores inside the "Profil " frame. Positions are twips from the frame's corner.
class ProfileChart : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kAxisBottom = 2520;

    explicit ProfileChart(QWidget* parent = nullptr);

    // Top of bar i (1 to 9): 360 + 240 x (9 - score); a score of 0 gives a bar of zero length.
    static int barTopFor(int score);
    int barTop(int type) const;
    void setScores(const Scores& scores);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<int, 10> m_barTops{};
};

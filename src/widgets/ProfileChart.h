#pragma once

#include <QWidget>
#include <array>

class QPainter;

// The bar chart of the nine scores inside the "Profil " frame, on the "Synthèse" page and in the report. Positions
// are twips from the frame's corner.
class ProfileChart : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kAxisBottom = 2520;
    // The number of answers "yes" for each type, 1 to 9 (0 unused): the questionnaire's scores.
    using Scores = std::array<qint16, 10>;

    explicit ProfileChart(QWidget* parent = nullptr);

    // Top of bar i (1 to 9): 360 + 240 x (9 - score); a score of 0 gives a bar of zero length.
    static int barTopFor(int score);
    int barTop(int type) const;
    void setScores(const Scores& scores);

    // The chart as the frame shows it, in the frame's pixels (15 twips each), for the window and for printed pages
    // alike; the axis labels in the given font.
    using BarTops = std::array<int, 10>;
    static BarTops barTopsFor(const Scores& scores);
    static void paint(QPainter& painter, const BarTops& barTops, const QColor& axis, const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarTops m_barTops{};
};

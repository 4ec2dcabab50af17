#pragma once

#include <QColor>
#include <QIcon>
#include <QWidget>
#include <array>

// The enneagram: a filled circle, the numbers 1 to 9 clockwise with 9 at the top, the triangle 3-6-9 and the
// figure 1-4-2-8-5-7. Colours are state that tests read; painting only draws them.
class EnneagramFigure : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kLineCount = 9;
    static const QColor kHighlight; // red
    static const QColor kWing;      // yellow

    explicit EnneagramFigure(QWidget* parent = nullptr);

    // The figure's place on its tab page, from the tab control's top-left corner, where the figure's own
    // coordinates start: its circle, numbers and lines are given from there.
    static QRect area();

    QColor numberColour(int number) const;
    void setNumberColour(int number, const QColor& colour);

    // -1 when the two numbers are not joined by a line.
    static int lineIndex(int a, int b);
    static QColor baseLineColour(int index);
    QColor lineColour(int a, int b) const;
    void setLineColour(int a, int b, const QColor& colour);

    // Numbers in the button-text colour, lines in their design colours.
    void resetColours();

    // The program's icon: the figure on the window's green, drawn rather than loaded so that no image plugin is
    // needed.
    static QIcon applicationIcon();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateAccessibleName();

    std::array<QColor, 10> m_numberColours;
    std::array<QColor, kLineCount> m_lineColours;
};

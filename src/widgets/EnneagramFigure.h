#pragma once

#include <QColor>
#include <QIcon>
#include <QWidget>
#include <array>

class QPainter;

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

    // What the figure shows of a result: the colour of each number (index 1 to 9) and of each line.
    struct Marks
    {
        std::array<QColor, 10> numbers;
        std::array<QColor, kLineCount> lines;
    };
    Marks marks() const { return m_marks; }
    // The figure in its page's pixels (15 twips each), on screen and on printed pages alike.
    static void paint(QPainter& painter, const Marks& marks, const QFont& numberFont);
    // The part of the page the drawing covers, in those pixels.
    static QRect drawnArea();
    // The numbers' font sized in those pixels, for devices whose points are not the screen's.
    static QFont numberFont();

    // The program's icon: the figure on the window's green, drawn once into the pictures of widgets/icon (PNG, which
    // Qt reads without an image plugin) rather than at every start.
    static QIcon applicationIcon();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateAccessibleName();

    Marks m_marks;
};

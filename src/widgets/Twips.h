#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>

class QLabel;
class QWidget;

// The window layouts are given in twips (1/1440 inch). This is the one place where they become logical pixels.
namespace twips {

constexpr int kPerPixel = 15;

int toPixels(int twips);
int fromPixels(int pixels);
QPoint point(int x, int y);
QRect rect(int left, int top, int width, int height);

// Positions on a tab page are given from the top-left corner of the tab control, while the page itself starts
// wherever the style puts it, below the tab bar and inside the frame. Children of the page are created at their
// tab-control positions; this keeps them there by shifting them by the page's real offset whenever it changes.
void placeOnTabPage(QWidget* page);
// Where the page's top-left corner lies in its tab control, in pixels; (0, 0) outside a tab control.
QPoint tabPageOffset(const QWidget* page);

// "MS Sans Serif" where the system has it, otherwise a close sans-serif.
QFont sansSerif(qreal pointSize, bool bold = false);
QFont verdana(qreal pointSize);

// Where the substitute font is wider than the original one, shrinks a caption's font until its text fits the
// label's given size, so that the layout keeps its positions.
void fitText(QLabel* label);

} // namespace twips

#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>

class QLabel;

// The window layouts are given in twips (1/1440 inch). This is the one place where they become logical pixels.
namespace twips {

constexpr int kPerPixel = 15;
// A page of the tab control starts below its tab bar; page positions are given from the top of the tab control.
constexpr int kTabBarHeight = 360;

int toPixels(int twips);
int fromPixels(int pixels);
QPoint point(int x, int y);
QRect rect(int left, int top, int width, int height);
QPoint pagePoint(int x, int y);
QRect pageRect(int left, int top, int width, int height);

// "MS Sans Serif" where the system has it, otherwise a close sans-serif.
QFont sansSerif(qreal pointSize, bool bold = false);
QFont verdana(qreal pointSize);

// Where the substitute font is wider than the original one, shrinks a caption's font until its text fits the
// label's given size, so that the layout keeps its positions.
void fitText(QLabel* label);

} // namespace twips

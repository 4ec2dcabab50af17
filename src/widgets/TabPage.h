#pragma once

#include <QPoint>

class QWidget;

// Pages of a tab control laid out in the tab control's own coordinates.
namespace controls {

// Positions on a tab page are given from the top-left corner of the tab control, while the page itself starts
// wherever the style puts it, below the tab bar and inside the frame. Children of the page are created at their
// tab-control positions; this keeps them there by shifting them by the page's real offset whenever it changes.
void placeOnTabPage(QWidget* page);
// Where the page's top-left corner lies in its tab control, in pixels; (0, 0) outside a tab control.
QPoint tabPageOffset(const QWidget* page);

// Brings a tab page to the front of its tab widget.
void showTabPage(QWidget* page);

} // namespace controls

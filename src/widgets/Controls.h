#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ValueLabel;

// Small pieces every window builds the same way.
namespace controls {

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// A caption at a fixed place; long texts wrap. Where the substitute font is wider than the original one, the font
// shrinks, when the caption is first shown, until the text fits the given area, so that the layout keeps its
// positions and the pages the user has not opened yet cost nothing at start-up.
QLabel* label(QWidget* parent, const QString& text, const QRect& area, const QFont& font);

// A value shown beside a caption label of its own; screen readers hear both ("Passion : Envie").
ValueLabel* value(QWidget* parent, const char* name, const QString& caption, const QRect& area, const QFont& font);

// The most characters a field holds (QLineEdit's own limit); a longer text given to it would be cut.
inline constexpr int kFieldCapacity = 32767;

// A text field. What is typed or pasted is put in composed form at once (NFC: "e" followed by a combining acute
// accent becomes "é"), so that every later check and the saved file see the letters the user sees.
QLineEdit* field(QWidget* parent, const char* name, const QRect& area, const QString& accessibleName);

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& area);

// The coloured rectangle of a main-window tab page, inside the white margin every page keeps.
void pageBackground(QWidget* page, const QColor& colour);

// The pale yellow strip that titles the interpretation and help windows.
QLabel* titleStrip(QWidget* parent, const char* name, const QString& text, const QRect& area, const QFont& font);

// Return or the keypad's Enter, without a modifier.
bool isEnterKey(const QKeyEvent* event);

// Enter presses the focused push button, as Space does. Qt does this only in dialogs, and only for buttons that
// may become the default one. Returns whether a button was pressed.
bool pressFocusedButton(QWidget* window, const QKeyEvent* event);

} // namespace controls

#pragma once

#include "typology/ShownProfile.h"

struct MainState;

class DetailsPage;
class InteractionPage;
class PersonStrip;
class QMainWindow;
class QPlainTextEdit;
class QTabWidget;
class QuadrantPage;
class SynthesisPage;

// The controls of the main window's client area: the person strip above the four tab pages, and the theme's print
// buffer, never shown and made when first printed.
struct MainPages
{
    PersonStrip* strip = nullptr;
    QTabWidget* tabs = nullptr;
    SynthesisPage* synthesis = nullptr;
    DetailsPage* details = nullptr;
    QuadrantPage* quadrant = nullptr;
    InteractionPage* interaction = nullptr;
    QPlainTextEdit* rtb1 = nullptr;

    // What they show with the state behind it, in one piece: the one place where captions are read back.
    ShownProfile shown(const MainState& state) const;
};

// Builds them as the window's central widget, green around the tabs, the first page current; the window connects
// them.
MainPages buildMainPages(QMainWindow* window);

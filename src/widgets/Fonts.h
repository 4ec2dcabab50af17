#pragma once

#include <QFont>

// The fonts of the windows and of the printed report. The layouts were drawn for "MS Sans Serif" and "Verdana";
// where a system lacks them, every window and the report fall back on the same list of close sans-serif families.
namespace fonts {

// "MS Sans Serif" where the system has it, otherwise the first family of the fallback list it has.
QFont sansSerif(qreal pointSize, bool bold = false);
QFont verdana(qreal pointSize);

// The report's text: the fallback list itself, so that it prints alike everywhere, with every glyph on its own
// (a ligature would print "fi" as one glyph that PDF readers do not always find again when searching).
QFont report(qreal pointSize, bool bold = false);

} // namespace fonts

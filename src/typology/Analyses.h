#pragma once

#include "typology/ShownProfile.h"

#include <QStringList>

// Each analysis starts from what the main window shows and returns the lines to append to the interpretation
// window, in order. A line may itself hold CR LF (the wound, fixation and quality entry).
namespace analyses {

// Nothing while the "Synthèse" page shows no type.
QStringList synthesisLines(const ShownProfile& shown);
QStringList detailLines(const ShownProfile& shown);
QStringList quadrantLines(const QuadrantWords& words);

QStringList interactionLines(const QString& keywordCaption);

} // namespace analyses

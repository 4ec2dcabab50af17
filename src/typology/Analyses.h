#pragma once

#include "typology/DetailsValues.h"

#include <QStringList>

// Each analysis reads the captions the main window shows and returns the lines to append to the interpretation
// window, in order. A line may itself hold CR LF (the wound, fixation and quality entry).
namespace analyses {

QStringList synthesisLines(const QString& synthesisTypeCaption);

struct DetailsCaptions
{
    QString synthesisType;
    DetailsValues details;
    qint16 activeWing1 = 0;
    qint16 activeWing2 = 0;
};
QStringList detailLines(const DetailsCaptions& captions);

struct QuadrantWords
{
    QString quality;
    QString pitfall;
    QString challenge;
    QString allergy;
};
QStringList quadrantLines(const QuadrantWords& words);

QStringList interactionLines(const QString& keywordCaption);

} // namespace analyses

#pragma once

#include "questionnaire/Scoring.h"
#include "typology/Analyses.h"
#include "typology/DetailsValues.h"

#include <QDate>
#include <QString>
#include <QStringList>

// Everything the complete report shows, as the pages show it at the moment it is asked for.
struct ReportInput
{
    QString firstName; // trimmed
    QString lastName;  // trimmed
    QDate date;
    QString synthesisType; // the type as the "Synthèse" page shows it
    qint16 activeWing1 = 0;
    qint16 activeWing2 = 0;
    Scores scores{};
    DetailsValues details;
    analyses::QuadrantWords quadrant; // the row chosen on the "Carré fondamental" page
    // What the interaction page's "Interpréter" shows now; empty: no interaction section.
    QStringList interactionLines;
};

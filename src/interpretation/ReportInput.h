#pragma once

#include "typology/Analyses.h"
#include "typology/DetailsValues.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

// Everything the complete report shows, as the pages show it at the moment it is asked for.
struct ReportInput
{
    QString firstName; // trimmed
    QString lastName;  // trimmed
    QDate date;
    QString synthesisType; // the type as the "Synthèse" page shows it
    qint16 activeWing1 = 0;
    qint16 activeWing2 = 0;
    std::array<qint16, 10> scores{}; // types 1 to 9, as the questionnaire counted them
    DetailsValues details;
    analyses::QuadrantWords quadrant; // the row chosen on the "Carré fondamental" page
    // What the interaction page's "Interpréter" shows now; empty: no interaction section.
    QStringList interactionLines;
};

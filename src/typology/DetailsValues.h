#pragma once

#include <QString>
#include <QStringList>

// What the "Détails" page shows, as its labels read. The detailed description and the printed theme both start from
// these texts, so the page hands them over in one piece.
struct DetailsValues
{
    QString type;
    QString wing; // "2", "8 / 1" or empty
    QString chargePoint;
    QString dischargePoint;
    QString passion;
    QString antidote;
    QString evolution1;
    QString evolution2;
};

// The values one per line, each after its caption as the page shows it ("Passion : Colère"), trimmed: how the theme
// and the report print them.
QStringList detailsValueLines(const DetailsValues& values);

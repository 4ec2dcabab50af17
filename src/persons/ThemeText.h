#pragma once

#include <QString>

// The captions of the "Détails" page and the names, as the printed theme uses them.
struct ThemeInput
{
    QString firstName;
    QString lastName;
    QString type;
    QString wing;
    QString chargePoint;
    QString dischargePoint;
    QString passion;
    QString antidote;
    QString evolution1;
    QString evolution2;
};

QString themeText(const ThemeInput& input);

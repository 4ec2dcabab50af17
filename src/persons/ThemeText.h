#pragma once

#include "typology/DetailsValues.h"

#include <QString>

// The names and what the "Détails" page shows, as the printed theme uses them.
struct ThemeInput
{
    QString firstName;
    QString lastName;
    DetailsValues details;
};

QString themeText(const ThemeInput& input);

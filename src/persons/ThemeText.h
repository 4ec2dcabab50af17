#pragma once

#include "typology/ShownProfile.h"

#include <QString>

// The printed theme: the user's names as the strip shows them, then what the "Détails" page shows.
QString themeText(const ShownProfile& shown);

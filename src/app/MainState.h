#pragma once

#include "questionnaire/Scoring.h"
#include "typology/QuadrantTable.h"

#include <QtGlobal>

// The active layer of what the main window knows about the person. The shown layer (names, type and wing texts)
// lives in the window's own fields.
struct MainState
{
    qint16 activeType = 0;
    qint16 activeWing1 = 0;
    qint16 activeWing2 = 0;
    Scores scores{};
    QuadrantTable quadrantTable;
};

#pragma once

#include "questionnaire/Scoring.h"
#include "typology/QuadrantTable.h"

#include <QtGlobal>

// The active layer of what the main window knows about the person. The shown layer (names, type and wing texts)
// lives in PersonStrip and the pages; MainWindow::shownProfile() takes both layers together.
struct MainState
{
    qint16 activeType = 0; // stays after "Effacer tout", as the interaction's "Calculer" expects
    qint16 activeWing1 = 0;
    qint16 activeWing2 = 0;
    Scores scores{};
    QuadrantTable quadrantTable;
    bool resultShown = false; // from "Calculer" or the questionnaire to "Effacer tout": what can be printed
};

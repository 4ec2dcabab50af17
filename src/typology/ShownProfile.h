#pragma once

#include "typology/DetailsValues.h"
#include "typology/NumberReading.h"
#include "typology/QuadrantTable.h"

#include <QString>
#include <array>
#include <optional>

// What the main window shows at one moment, taken in one piece: the analyses, the theme, the report and the save all
// start from it. Captions are kept exactly as shown, because the program's texts are written from them; the numbers
// they stand for are read once, by readShownTypes, and nowhere else.
struct ShownProfile
{
    // The user's line above the tabs, spaces included.
    QString firstName;
    QString lastName;
    QString typeText;  // "te1": typed, found or reopened
    QString wing1Text; // "aile1" and "aile2": kept with the type, never shown
    QString wing2Text;
    // Read from the three above: no type when "te1" does not hold a number from 1 to 9; each wing 0 unless it names
    // the neighbour on its side of that type (the window reads the wings, which needs the circle's neighbour rule).
    std::optional<qint16> typedType;
    qint16 typedWing1 = 0;
    qint16 typedWing2 = 0;

    // The result: empty captions and no type before "Calculer" or after "Effacer tout".
    QString synthesisType; // the type as the "Synthèse" page shows it
    qint16 type = 0;       // read from synthesisType
    qint16 activeWing1 = 0;
    qint16 activeWing2 = 0;
    std::array<qint16, 10> scores{}; // types 1 to 9, as the questionnaire counted them or the profile restored them
    DetailsValues details;
    // Read from the "Détails" captions; the page's own type may differ from the synthesis once a page is emptied.
    struct
    {
        qint16 type = 0;
        qint16 chargePoint = 0;
        qint16 dischargePoint = 0;
        qint16 evolution1 = 0;
        qint16 evolution2 = 0;
    } detailsTypes;
    QuadrantWords quadrant; // the row chosen on the "Carré fondamental" page

    // The partner's line on the "Interaction entre deux personnes" page, and the keyword the page shows.
    QString partnerFirstName;
    QString partnerLastName;
    QString partnerTypeText;
    PartnerType partnerType; // read from partnerTypeText
    QString keyword;
};

// Fills the numbers from the captions: the window calls it once when it takes the snapshot.
void readShownTypes(ShownProfile& shown);

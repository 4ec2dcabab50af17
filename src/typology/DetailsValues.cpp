#include "typology/DetailsValues.h"
#include "widgets/Captions.h"

QStringList detailsValueLines(const DetailsValues& values)
{
    return {
        captions::type() + u' ' + values.type.trimmed(),
        QStringLiteral("Aile : ") + values.wing.trimmed(),
        QStringLiteral("Point de charge : ") + values.chargePoint.trimmed(),
        QStringLiteral("Point de décharge : ") + values.dischargePoint.trimmed(),
        QStringLiteral("Passion : ") + values.passion.trimmed(),
        QStringLiteral("Antidote : ") + values.antidote.trimmed(),
        QStringLiteral("Voie d'évolution : ") + values.evolution1.trimmed() + QStringLiteral(" et ") +
            values.evolution2.trimmed(),
    };
}

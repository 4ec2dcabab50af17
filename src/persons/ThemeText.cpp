#include "persons/ThemeText.h"

QString themeText(const ThemeInput& in)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    text += QStringLiteral("[Psyche Rondo]\t\t\tDescriptif Ennéagramme de ") + in.firstName + u' ' + in.lastName +
            u'\t' + crlf;
    text += crlf;
    text += crlf;
    text += QStringLiteral("Type Ennéagramme : ") + in.details.type.trimmed() + crlf;
    text += QStringLiteral("Aile : ") + in.details.wing.trimmed() + crlf;
    text += QStringLiteral("Point de charge : ") + in.details.chargePoint.trimmed() + crlf;
    text += QStringLiteral("Point de décharge : ") + in.details.dischargePoint.trimmed() + crlf;
    text += QStringLiteral("Passion : ") + in.details.passion.trimmed() + crlf;
    text += QStringLiteral("Antidote : ") + in.details.antidote.trimmed() + crlf;
    text += QStringLiteral("Voie d'évolution : ") + in.details.evolution1.trimmed() + QStringLiteral(" et ") +
            in.details.evolution2.trimmed() + crlf;
    text += crlf;
    return text;
}

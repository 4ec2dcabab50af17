#include "persons/ThemeText.h"

QString themeText(const ThemeInput& in)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    text += QStringLiteral("[Psyche Rondo]\t\t\tDescriptif Ennéagramme de ") + in.firstName + u' ' + in.lastName +
            u'\t' + crlf;
    text += crlf;
    text += crlf;
    text += QStringLiteral("Type Ennéagramme : ") + in.type.trimmed() + crlf;
    text += QStringLiteral("Aile : ") + in.wing.trimmed() + crlf;
    text += QStringLiteral("Point de charge : ") + in.chargePoint.trimmed() + crlf;
    text += QStringLiteral("Point de décharge : ") + in.dischargePoint.trimmed() + crlf;
    text += QStringLiteral("Passion : ") + in.passion.trimmed() + crlf;
    text += QStringLiteral("Antidote : ") + in.antidote.trimmed() + crlf;
    text += QStringLiteral("Voie d'évolution : ") + in.evolution1.trimmed() + QStringLiteral(" et ") +
            in.evolution2.trimmed() + crlf;
    text += crlf;
    return text;
}

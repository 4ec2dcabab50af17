#include "typology/Analyses.h"

#include "typology/TypeTables.h"
#include "widgets/Captions.h"

using typology::Paragraph;

namespace analyses {

QStringList synthesisLines(const ShownProfile& shown)
{
    const QString caption = shown.synthesisType.trimmed();
    if (caption.isEmpty())
        return {};
    const int type = shown.type;
    return {
        captions::type() + u' ' + caption,
        QString(),
        QStringLiteral("Dominante : ") + typology::nickname(type),
        QString(),
        typology::woundFixationQuality(type),
        QString(),
        typology::paragraph(Paragraph::Summary, type),
        QString(),
        typology::paragraph(Paragraph::Portrait, type),
        QString(),
    };
}

QStringList detailLines(const ShownProfile& profile)
{
    const DetailsValues& shown = profile.details;
    if (profile.synthesisType.trimmed().isEmpty())
        return {};
    const QString separator(120, u'-');
    const auto& types = profile.detailsTypes;
    const int type = types.type;

    QStringList lines;
    lines << QStringLiteral("Type Enneagramme : ") + shown.type.trimmed() + QStringLiteral(" : ") +
                 typology::nickname(type)
          << QString();

    if (!shown.wing.trimmed().isEmpty()) {
        for (const qint16 wing : {profile.activeWing1, profile.activeWing2}) {
            if (wing == 0)
                continue;
            lines << QStringLiteral("Aile ") + QString::number(wing)
                  << QStringLiteral("Vous êtes également très proche du type ") + QString::number(wing) +
                         QStringLiteral(" : ") + typology::nickname(wing)
                  << typology::paragraph(Paragraph::Summary, wing) << QString();
        }
    }

    lines << QStringLiteral("Point de charge ") + shown.chargePoint.trimmed()
          << typology::detailsExplanation(QStringLiteral("charge"))
          << typology::paragraph(Paragraph::Charge, types.chargePoint) << QString();
    lines << QStringLiteral("Point de décharge ") + shown.dischargePoint.trimmed()
          << typology::detailsExplanation(QStringLiteral("discharge"))
          << typology::paragraph(Paragraph::Discharge, types.dischargePoint) << QString();
    lines << separator << QString();

    if (!shown.passion.trimmed().isEmpty()) {
        lines << QStringLiteral("Passion : ") + shown.passion.trimmed() << typology::paragraph(Paragraph::Passion, type)
              << QString();
    }
    if (!shown.antidote.trimmed().isEmpty()) {
        lines << QStringLiteral("Antidote : ") + shown.antidote.trimmed()
              << typology::paragraph(Paragraph::Antidote, type) << QString();
    }
    lines << separator << QString();

    lines << QStringLiteral("Voies d'évolution") << typology::detailsExplanation(QStringLiteral("evolution"))
          << QString();
    for (const auto& [evolution, evolutionType] :
         {std::pair{shown.evolution1, types.evolution1}, std::pair{shown.evolution2, types.evolution2}}) {
        if (evolution.trimmed().isEmpty())
            continue;
        lines << QStringLiteral("Voie d'évolution : ") + evolution.trimmed()
              << typology::paragraph(Paragraph::Evolution, evolutionType) << QString();
    }
    return lines;
}

QStringList quadrantLines(const QuadrantWords& w)
{
    return {
        QStringLiteral("Le carré fondamental peut s'utiliser de plusieurs façons :"),
        QString(),
        typology::quadrantExplanation(QStringLiteral("first")),
        QStringLiteral("Votre couple qualité-piège : ") + w.quality + QStringLiteral(" - ") + w.pitfall,
        QStringLiteral("Votre défi consiste à développer l'aspect : ") + w.challenge,
        QString(),
        typology::quadrantExplanation(QStringLiteral("second")),
        QStringLiteral("Le comportement qui vous irrite : ") + w.allergy,
        QStringLiteral("L'attitude à adopter : ") + w.challenge,
        QString(),
        typology::quadrantExplanation(QStringLiteral("closing")),
    };
}

QStringList interactionLines(const QString& keywordCaption)
{
    const QString keyword = keywordCaption.trimmed();
    if (keyword.isEmpty())
        return {};
    QStringList lines{QStringLiteral("Type d'intéraction : ") + keyword};
    const QString paragraph = typology::interactionParagraph(keyword);
    if (!paragraph.isEmpty())
        lines << paragraph;
    return lines;
}

} // namespace analyses

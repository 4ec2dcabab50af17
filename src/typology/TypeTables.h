#pragma once

#include <QList>
#include <QString>

// What the program knows about the nine types. Every lookup with a key outside 1 to 9 gives the empty text.
namespace typology {

QString nickname(int type);
QString woundFixationQuality(int type); // three lines joined by CR LF

struct TypeProfile
{
    int charge = 0;    // the type one moves towards under stress
    int discharge = 0; // the type one moves towards when relaxed
    QString passion;
    QString antidote;
    int evolution1 = 0;
    int evolution2 = 0;
};
TypeProfile profile(int type);

struct QuadrantRow
{
    QString qualityType, quality;
    QString pitfallType, pitfall;
    QString challengeType, challenge;
    QString allergyType, allergy;
};
QList<QuadrantRow> quadrantRows(int type); // five rows for 1 to 9, none otherwise

enum class Paragraph { Summary, Portrait, Charge, Discharge, Passion, Antidote, Evolution };
QString paragraph(Paragraph table, int key);

// Fixed explanations of the detailed description: "charge", "discharge", "evolution".
QString detailsExplanation(const QString& key);
// Fixed texts of the core-quadrant interpretation: "first", "second", "closing".
QString quadrantExplanation(const QString& key);

// Keyword of the interaction between the person's type (row) and the partner's (column); empty outside 1..9.
QString pairKeyword(int type, int partner);
// Paragraph explaining a keyword, found without regard to letter case; empty when there is none.
QString interactionParagraph(const QString& keyword);
QStringList interactionKeys();

} // namespace typology

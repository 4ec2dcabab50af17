#include "typology/TypeTables.h"

#include "platform/TextCatalog.h"

#include <array>

namespace typology {
namespace {

bool inRange(int key)
{
    return key >= 1 && key <= 9;
}

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

const std::array<const char*, 10> kNicknames = {
    "",
    "Reformateurs, critiques, perfectionistes.",
    "Ceux qui aident, qui donnent, qui prennent soin.",
    "Battants, performants, gagnants.",
    "Romantique, individualistes, artistes.",
    "Observateur, penseurs, chercheurs.",
    "Loyal, avocats du diable, défenseurs.",
    "Epicurien, enthousiastes, aventuriers.",
    "Meneurs, protecteurs, Challengers.",
    "Mediateurs, non-violents, préservateurs",
};

struct WoundFixationQuality
{
    const char* wound;
    const char* fixation;
    const char* quality;
};

const std::array<WoundFixationQuality, 10> kWounds = {{
    {"", "", ""},
    {"Sa spontanéité a été punit.", "Ressentiment", "La perfection"},
    {"Il a manqué d'affection à un moment donné.", "Flatterie", "Volonté et liberté"},
    {"Ses émotions n'ont pas été entendu à un moment donné.", "Vanité", "Espérance"},
    {"Abandon, perte.", "Mélancolie", "Originalité"},
    {"Intrusion, envahissement.", "Mesquinerie", "Omniscience"},
    {"Trahison.", "Lâcheté", "Foi"},
    {"Enfermement, autorité trop forte.", "Plannification", "Travail et effort"},
    {"Humiliation, impuissance, injustice.", "Vengeance", "La Vérité"},
    {"Manque d'amour ou d'attention.", "Oubli de soi-même", "Amour"},
}};

struct ProfileRow
{
    int charge, discharge;
    const char* passion;
    const char* antidote;
    int evolution1, evolution2;
};

const std::array<ProfileRow, 10> kProfiles = {{
    {0, 0, "", "", 0, 0},
    {4, 7, "Colère", "Sérénité", 4, 7},
    {8, 4, "Orgueil", "Humilité", 8, 4},
    {9, 6, "Mensonge", "Vérité", 9, 6},
    {2, 1, "Envie", "Equanimité", 1, 2},
    {7, 8, "Avarice", "Détachement", 7, 8},
    {3, 9, "Peur", "Courage", 3, 9},
    {1, 5, "Gourmandise", "Sobriété", 1, 5},
    {5, 2, "Excès", "Innocence", 5, 2},
    {6, 3, "Paresse", "Action juste", 6, 3},
}};

struct QuadrantWords
{
    const char* quality;
    const char* pitfall;
    const char* challenge;
    int challengeType;
    const char* allergy;
    int allergyType;
};

const std::array<std::array<QuadrantWords, 5>, 10> kQuadrants = {{
    {},
    {{{"Perfectionniste", "Maniaque", "Relâché, détendu", 7, "Diletante", 4},
      {"Critique", "Négatif", "Positif", 7, "Libertaire", 4},
      {"Réformateur", "Révolutionnaire", "Consensuel", 7, "Mou", 4},
      {"Ordonné", "Sclérosé", "Souple", 7, "Fluctuant", 4},
      {"Exigeant", "Autoritaire", "Dans le dialogue", 7, "Sans opinion", 4}}},
    {{{"Altruiste", "Coupé de soi-même", "Centré", 4, "Egoïste", 8},
      {"Attentionné", "Invasif", "Respectueux", 4, "Personnel", 8},
      {"A l'écoute", "Inexistant", "Présent", 4, "Omni-présent", 8},
      {"Assistant", "Dépendant", "Autonome", 8, "Inflexible", 8},
      {"Compassionel", "Souffrant", "Solide", 8, "Dur", 8}}},
    {{{"Battant", "Agressif", "Respectueux", 6, "Effacé", 9},
      {"Efficace", "Obnubilé par le résultat", "Conciliant", 6, "Faible", 9},
      {"Motivé", "Trop ambitieux", "Conscient de sa valeur", 6, "Statique", 9},
      {"Dans l'apparence", "Superficiel", "Profond", 6, "Insondable", 9},
      {"Imaginatif", "Délirant", "Concret", 6, "Buté", 9}}},
    {{{"Original", "Décalé", "Intégré", 1, "Conformiste", 2},
      {"Sensible", "Fragile", "Solide", 1, "Dur", 1},
      {"Désireux", "Envieux", "Satisfait", 1, "Orgueilleux", 2},
      {"Nostalgique", "Dépressif", "De bonne humeur", 1, "Exubérant", 2},
      {"Artiste", "Déconnecté", "Intégré", 1, "Transparent, dilué", 2}}},
    {{{"Observateur", "Isolé", "Social", 7, "Intrusif", 8},
      {"A l'écoute", "Se néglige soi-même", "S'occupe de soi", 7, "Egoïste", 8},
      {"Gestionnaire", "mesquin", "Généreux", 7, "Dépensier", 8},
      {"Connaisseur", "Spécialiste, pointu", "Généraliste, global", 7, "Vague", 7},
      {"Solitaire", "Renfermé, timide", "Assuré", 7, "Colérique", 8}}},
    {{{"Prudent", "Timoré", "Assuré", 9, "Intimidant", 3},
      {"Interrogateur", "Douteux", "Confiant", 9, "Irréaliste", 3},
      {"A l'écoute", "partagé", "Décidé", 9, "Inflexible", 3},
      {"Loyal", "Sacrifié", "Centré", 9, "Egoïste", 3},
      {"Fidèle", "Subordonné", "Autonome", 9, "Incontrôlable", 3}}},
    {{{"Jouisseur", "Gourmand", "Mesuré", 5, "Retenu", 1},
      {"Initiateur", "Vélléitaire", "Tenace", 5, "Buté", 1},
      {"Enthousiaste", "Excité", "Centré", 5, "Ego-centré", 1},
      {"Adaptable", "Désordonné", "Ordonné", 5, "Maniaque", 1},
      {"Positif", "Aventureux, inconscient", "Réaliste", 5, "Fataliste", 1}}},
    {{{"Fort", "Ecrasant", "Pondéré", 2, "Faible", 5},
      {"Direct", "Agressif", "doux", 2, "Inconsistant", 5},
      {"Décidé", "Intransigeant", "Flexible", 2, "Irrésolu", 5},
      {"Combatif", "Violent", "Pacifique", 2, "Neutre", 5},
      {"Justicier", "Brutal", "Accomodant", 2, "Mou", 5}}},
    {{{"A l'écoute", "Inexistant", "Présent", 3, "Revendicateur", 6},
      {"Stable", "Timoré", "Actif", 3, "Désordonné", 6},
      {"Médiateur", "Sans avis", "Assertif", 3, "Intransigeant", 3},
      {"Flexible", "Indécis", "Décidé", 3, "Inflexible", 3},
      {"Calme", "Effacé", "Extraverti", 3, "Démonstratif", 3}}},
}};

// Rows: the person's type; columns: the partner's type.
const std::array<std::array<const char*, 9>, 9> kPairKeywords = {{
    {"Travail", "Défense des valeurs", "Travail", "Critique", "Spécialiste", "Responsabilité", "Activité", "Critique",
     "Critique"},
    {"Défense des valeurs", "Altruisme", "Planification", "Reconnaissance", "Observateur", "Sécurité", "Planification",
     "Planification", "Altruisme"},
    {"Travail", "Planification", "Action", "Apparences", "Chercheur", "Coopération", "Action", "Action", "Médiation"},
    {"Critique", "Reconnaissance", "Apparences", "Emotion", "Observateur", "Sécurité", "Création", "Originalité",
     "Sensualité"},
    {"Spécialiste", "Observateur", "Chercheur", "Observateur", "Observateur", "Intérieur", "Chercheur", "Chercheur",
     "Contemplation"},
    {"Responsabilité", "Sécurité", "Action", "Sécurité", "Intérieur", "Respect", "Insouciance", "Manager", "Altruisme"},
    {"Travail", "Planification", "Action", "Création", "Chercheur", "Insouciance", "Plaisir", "Manager", "Sensualité"},
    {"Critique", "Altruisme", "Action", "Originalité", "Chercheur", "Manager", "Manager", "Manager", "Réalisme"},
    {"Critique", "Altruisme", "Médiation", "Sensualité", "Contemplation", "Altruisme", "Sensualité", "Réalisme",
     "Pacifisme"},
}};

QString typeLabel(int type)
{
    return QStringLiteral("Type Ennéagramme ") + QString::number(type);
}

const TextCatalog& catalog(const QString& name)
{
    static QHash<QString, TextCatalog> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, TextCatalog::fromResource(QStringLiteral(":/typology/texts/%1.txt").arg(name)));
    return *it;
}

QString catalogName(Paragraph table)
{
    switch (table) {
    case Paragraph::Summary:
        return QStringLiteral("summaries");
    case Paragraph::Portrait:
        return QStringLiteral("portraits");
    case Paragraph::Charge:
        return QStringLiteral("charge");
    case Paragraph::Discharge:
        return QStringLiteral("discharge");
    case Paragraph::Passion:
        return QStringLiteral("passion");
    case Paragraph::Antidote:
        return QStringLiteral("antidote");
    case Paragraph::Evolution:
        return QStringLiteral("evolution");
    }
    return {};
}

} // namespace

QString nickname(int type)
{
    return inRange(type) ? u(kNicknames[type]) : QString();
}

QString woundFixationQuality(int type)
{
    if (!inRange(type))
        return {};
    const WoundFixationQuality& w = kWounds[type];
    return QStringLiteral("Blessure de l'enfant : ") + u(w.wound) + QStringLiteral("\r\nFixation de l'ego : ") +
           u(w.fixation) + QStringLiteral("\r\nQualité intrinsèque : ") + u(w.quality);
}

TypeProfile profile(int type)
{
    if (!inRange(type))
        return {};
    const ProfileRow& p = kProfiles[type];
    return {p.charge, p.discharge, u(p.passion), u(p.antidote), p.evolution1, p.evolution2};
}

QList<QuadrantRow> quadrantRows(int type)
{
    QList<QuadrantRow> rows;
    if (!inRange(type))
        return rows;
    for (const QuadrantWords& w : kQuadrants[type]) {
        rows.append({typeLabel(type), u(w.quality), typeLabel(type), u(w.pitfall), typeLabel(w.challengeType),
                     u(w.challenge), typeLabel(w.allergyType), u(w.allergy)});
    }
    return rows;
}

QString paragraph(Paragraph table, int key)
{
    if (!inRange(key))
        return {};
    return catalog(catalogName(table)).text(QString::number(key));
}

QString detailsExplanation(const QString& key)
{
    return catalog(QStringLiteral("details")).text(key);
}

QString quadrantExplanation(const QString& key)
{
    return catalog(QStringLiteral("quadrant")).text(key);
}

QString pairKeyword(int type, int partner)
{
    if (!inRange(type) || !inRange(partner))
        return {};
    return u(kPairKeywords[type - 1][partner - 1]);
}

QString interactionParagraph(const QString& keyword)
{
    const QString wanted = keyword.trimmed().toLower();
    const TextCatalog& texts = catalog(QStringLiteral("interaction"));
    for (const QString& key : texts.keys()) {
        if (key.toLower() == wanted)
            return texts.text(key);
    }
    return {};
}

QStringList interactionKeys()
{
    return catalog(QStringLiteral("interaction")).keys();
}

} // namespace typology

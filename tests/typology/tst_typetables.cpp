#include "help/GuideText.h"
#include "platform/Cp1252.h"
#include "questionnaire/Questions.h"
#include "typology/TypeTables.h"

#include <QtTest>

using typology::Paragraph;

Q_DECLARE_METATYPE(Paragraph)

class TestTypeTables : public QObject
{
    Q_OBJECT

    static void addRows(const char* table, Paragraph which, const QStringList& openings, const QList<int>& lengths)
    {
        for (int k = 1; k <= 9; ++k)
            QTest::addRow("%s %d", table, k) << which << k << openings[k - 1] << lengths[k - 1];
    }

private slots:
    void paragraphs_data()
    {
        QTest::addColumn<Paragraph>("table");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<int>("length");
        addRows("summary", Paragraph::Summary,
                {"Les uns sont focalisées sur leur intégrité.", "Les deux, au mieux font preuve de compassion,",
                 "Hautement adaptables et aptes au changement,", "Les quatre sont menés par leur désir",
                 "Les cinq sont motivés par le désir", "Les six recherchent la stabilité", "Les sept sont avanturiers",
                 "Les huit estiment leur propre force", "Les neuf sont dirigés par l'empathie."},
                {341, 215, 316, 406, 581, 486, 467, 390, 510});
        addRows("portrait", Paragraph::Portrait,
                {"Le un est amené à apprécier l'excellence", "Les deux sont focalisés sur les rapports interpersonnels",
                 "L'attention des trois se porte sur la fixation", "L'attention des 4 est focalisée",
                 "L'attention des cinq est portée sur la connaissance",
                 "Le six est porté vers l'interrogation et le doute.",
                 "Le sept est porté vers la recherche du plaisir,",
                 "Le huit est porté vers la puissance et le contrôle.", "Le neuf est porté à se relier aux autres,"},
                {1208, 1319, 1285, 1081, 1314, 1858, 1509, 1185, 1622});
        // Charge paragraph k speaks of the type whose charge point is k; discharge likewise.
        QStringList charge, discharge;
        for (int type : {7, 4, 6, 1, 8, 9, 5, 2, 3})
            charge << QStringLiteral("En situation de stress, le type %1").arg(type);
        for (int type : {4, 8, 9, 2, 7, 3, 1, 5, 6})
            discharge << QStringLiteral("En situation de détente, le type %1").arg(type);
        addRows("charge", Paragraph::Charge, charge, {245, 219, 208, 152, 220, 237, 168, 179, 259});
        addRows("discharge", Paragraph::Discharge, discharge, {127, 134, 106, 172, 159, 121, 142, 152, 188});
        addRows("passion", Paragraph::Passion,
                {"L'agressivité réprimée du type 1", "Le type 2", "La volonté de réussir", "Le type 4",
                 "Le type 5 retient le savoir", "Le type 6 a du mal", "La quête de plaisir du type 7",
                 "Le type 8 ne supporte pas les limitations", "Le type 9 est très passif"},
                {206, 102, 167, 130, 135, 209, 103, 172, 134});
        addRows("antidote", Paragraph::Antidote,
                {"Dépasser ses propres critères de perfection,", "L'humilité consiste à accepter", "Dans la vérité,",
                 "Dans l'équanimité,", "Dans le détachement,", "Le courage consiste pour un Six,",
                 "En acceptant de restreindre ses besoins extérieurs,", "En état d'innocence,", "Dans cet état,"},
                {179, 226, 194, 167, 198, 226, 167, 182, 161});
        addRows("evolution", Paragraph::Evolution,
                {"Aller vers le côté perfectionniste du point 1", "Aller vers le côté altruiste du point 2",
                 "Aller vers le côté battant du point 3", "Aller vers le côté romantique du point 4",
                 "Aller vers le côté observateur du point 5", "Aller vers le côté loyal du point 6",
                 "Aller vers le côté épicurien du point 7", "Aller vers l'efficacité du point 8.",
                 "Aller vers le côté médiateur du point 9"},
                {173, 183, 166, 137, 218, 216, 164, 199, 220});
    }

    void paragraphs()
    {
        QFETCH(Paragraph, table);
        QFETCH(int, key);
        QFETCH(QString, opening);
        QFETCH(int, length);
        const QString text = typology::paragraph(table, key);
        QVERIFY2(text.startsWith(opening), qPrintable(text.left(80)));
        QCOMPARE(text.toUcs4().size(), length);
        QVERIFY(!text.contains(u'\n') && !text.contains(u'\r'));
        QCOMPARE(cp1252::firstUnencodable(text), -1);
    }

    static QString folded(const QString& text)
    {
        QString plain = text.normalized(QString::NormalizationForm_D);
        plain.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
        return plain.toLower();
    }

    void passionAndAntidoteUseTheProfileWords()
    {
        for (int type = 1; type <= 9; ++type) {
            const typology::TypeProfile profile = typology::profile(type);
            QVERIFY(folded(typology::paragraph(Paragraph::Passion, type)).contains(folded(profile.passion)));
            QVERIFY(folded(typology::paragraph(Paragraph::Antidote, type)).contains(folded(profile.antidote)));
        }
    }

    void fixedExplanations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<int>("length");
        QTest::newRow("charge explanation")
            << typology::detailsExplanation("charge")
            << "Le point de charge permet de comprendre ce qui se passe quand un être va mal," << 319;
        QTest::newRow("discharge explanation")
            << typology::detailsExplanation("discharge")
            << "Le point de décharge permet de voir ce qui se passe quand un être va bien," << 315;
        QTest::newRow("evolution explanation") << typology::detailsExplanation("evolution")
                                               << "Un des buts de l'énnéagramme et de nous faire comprendre" << 571;
        QTest::newRow("quadrant first direction")
            << typology::quadrantExplanation("first")
            << "- Dans un sens, à partir d'une qualité liée à votre type Ennéagramme," << 269;
        QTest::newRow("quadrant second direction")
            << typology::quadrantExplanation("second")
            << "- Dans un autre sens, à partir d'un comportement extérieur qui vous irrite," << 349;
        QTest::newRow("quadrant closing remark")
            << typology::quadrantExplanation("closing")
            << "Remarquez que vous avez naturellement tendance à prendre l'attitude liée au défi quand vous allez bien "
               "(en détente)."
            << 258;
    }
    void fixedExplanations()
    {
        QFETCH(QString, text);
        QFETCH(QString, opening);
        QFETCH(int, length);
        QVERIFY(text.startsWith(opening));
        QCOMPARE(text.toUcs4().size(), length);
        QCOMPARE(cp1252::firstUnencodable(text), -1);
    }

    void closingRemarkFollowsTheQuadrantDiagram()
    {
        // The page draws "En détente" from the quality to the challenge and "En stress" from the pitfall to the
        // allergy; the remark under the interpretation must tell the same story.
        const QString closing = typology::quadrantExplanation("closing");
        QVERIFY2(closing.contains(QStringLiteral("stress, vous passez du piège à l'allergie")), qPrintable(closing));
    }

    void keyZeroAndOutOfRangeGiveEmptyText()
    {
        QVERIFY(typology::nickname(0).isEmpty());
        QVERIFY(typology::woundFixationQuality(0).isEmpty());
        QVERIFY(typology::paragraph(Paragraph::Portrait, 0).isEmpty());
        QVERIFY(typology::paragraph(Paragraph::Summary, 10).isEmpty());
        QVERIFY(typology::quadrantRows(0).isEmpty());
        QVERIFY(typology::pairKeyword(0, 3).isEmpty());
    }

    // Every word of the short tables as the user reads it; one row per type, quadrant row or keyword-table row.
    void exactShortTables_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* table, int type, int quadrantRow = 0) -> QTestData& {
            if (quadrantRow)
                return QTest::addRow("%s %d row %d", table, type, quadrantRow)
                       << QString::fromLatin1(table) << type << quadrantRow;
            return QTest::addRow("%s %d", table, type) << QString::fromLatin1(table) << type << quadrantRow;
        };
        row("nickname", 1) << "Reformateurs, critiques, perfectionistes.";
        row("nickname", 2) << "Ceux qui aident, qui donnent, qui prennent soin.";
        row("nickname", 3) << "Battants, performants, gagnants.";
        row("nickname", 4) << "Romantique, individualistes, artistes.";
        row("nickname", 5) << "Observateur, penseurs, chercheurs.";
        row("nickname", 6) << "Loyal, avocats du diable, défenseurs.";
        row("nickname", 7) << "Epicurien, enthousiastes, aventuriers.";
        row("nickname", 8) << "Meneurs, protecteurs, Challengers.";
        row("nickname", 9) << "Mediateurs, non-violents, préservateurs";
        row("wound, fixation and quality", 1) << "Blessure de l'enfant : Sa spontanéité a été punit.\r\nFixation de "
                                                 "l'ego : Ressentiment\r\nQualité intrinsèque : La perfection";
        row("wound, fixation and quality", 2)
            << "Blessure de l'enfant : Il a manqué d'affection à un moment donné.\r\nFixation de l'ego : "
               "Flatterie\r\nQualité intrinsèque : Volonté et liberté";
        row("wound, fixation and quality", 3)
            << "Blessure de l'enfant : Ses émotions n'ont pas été entendu à un moment donné.\r\nFixation de l'ego : "
               "Vanité\r\nQualité intrinsèque : Espérance";
        row("wound, fixation and quality", 4) << "Blessure de l'enfant : Abandon, perte.\r\nFixation de l'ego : "
                                                 "Mélancolie\r\nQualité intrinsèque : Originalité";
        row("wound, fixation and quality", 5) << "Blessure de l'enfant : Intrusion, envahissement.\r\nFixation de "
                                                 "l'ego : Mesquinerie\r\nQualité intrinsèque : Omniscience";
        row("wound, fixation and quality", 6)
            << "Blessure de l'enfant : Trahison.\r\nFixation de l'ego : Lâcheté\r\nQualité intrinsèque : Foi";
        row("wound, fixation and quality", 7) << "Blessure de l'enfant : Enfermement, autorité trop forte.\r\nFixation "
                                                 "de l'ego : Plannification\r\nQualité intrinsèque : Travail et effort";
        row("wound, fixation and quality", 8)
            << "Blessure de l'enfant : Humiliation, impuissance, injustice.\r\nFixation de l'ego : "
               "Vengeance\r\nQualité intrinsèque : La Vérité";
        row("wound, fixation and quality", 9) << "Blessure de l'enfant : Manque d'amour ou d'attention.\r\nFixation de "
                                                 "l'ego : Oubli de soi-même\r\nQualité intrinsèque : Amour";
        row("profile", 1) << "4 | 7 | Colère | Sérénité | 4 | 7";
        row("profile", 2) << "8 | 4 | Orgueil | Humilité | 8 | 4";
        row("profile", 3) << "9 | 6 | Mensonge | Vérité | 9 | 6";
        row("profile", 4) << "2 | 1 | Envie | Equanimité | 1 | 2";
        row("profile", 5) << "7 | 8 | Avarice | Détachement | 7 | 8";
        row("profile", 6) << "3 | 9 | Peur | Courage | 3 | 9";
        row("profile", 7) << "1 | 5 | Gourmandise | Sobriété | 1 | 5";
        row("profile", 8) << "5 | 2 | Excès | Innocence | 5 | 2";
        row("profile", 9) << "6 | 3 | Paresse | Action juste | 6 | 3";
        row("quadrant", 1, 1) << "Perfectionniste | Maniaque | Relâché, détendu | 7 | Diletante | 4";
        row("quadrant", 1, 2) << "Critique | Négatif | Positif | 7 | Libertaire | 4";
        row("quadrant", 1, 3) << "Réformateur | Révolutionnaire | Consensuel | 7 | Mou | 4";
        row("quadrant", 1, 4) << "Ordonné | Sclérosé | Souple | 7 | Fluctuant | 4";
        row("quadrant", 1, 5) << "Exigeant | Autoritaire | Dans le dialogue | 7 | Sans opinion | 4";
        row("quadrant", 2, 1) << "Altruiste | Coupé de soi-même | Centré | 4 | Egoïste | 8";
        row("quadrant", 2, 2) << "Attentionné | Invasif | Respectueux | 4 | Personnel | 8";
        row("quadrant", 2, 3) << "A l'écoute | Inexistant | Présent | 4 | Omni-présent | 8";
        row("quadrant", 2, 4) << "Assistant | Dépendant | Autonome | 8 | Inflexible | 8";
        row("quadrant", 2, 5) << "Compassionel | Souffrant | Solide | 8 | Dur | 8";
        row("quadrant", 3, 1) << "Battant | Agressif | Respectueux | 6 | Effacé | 9";
        row("quadrant", 3, 2) << "Efficace | Obnubilé par le résultat | Conciliant | 6 | Faible | 9";
        row("quadrant", 3, 3) << "Motivé | Trop ambitieux | Conscient de sa valeur | 6 | Statique | 9";
        row("quadrant", 3, 4) << "Dans l'apparence | Superficiel | Profond | 6 | Insondable | 9";
        row("quadrant", 3, 5) << "Imaginatif | Délirant | Concret | 6 | Buté | 9";
        row("quadrant", 4, 1) << "Original | Décalé | Intégré | 1 | Conformiste | 2";
        row("quadrant", 4, 2) << "Sensible | Fragile | Solide | 1 | Dur | 1";
        row("quadrant", 4, 3) << "Désireux | Envieux | Satisfait | 1 | Orgueilleux | 2";
        row("quadrant", 4, 4) << "Nostalgique | Dépressif | De bonne humeur | 1 | Exubérant | 2";
        row("quadrant", 4, 5) << "Artiste | Déconnecté | Intégré | 1 | Transparent, dilué | 2";
        row("quadrant", 5, 1) << "Observateur | Isolé | Social | 7 | Intrusif | 8";
        row("quadrant", 5, 2) << "A l'écoute | Se néglige soi-même | S'occupe de soi | 7 | Egoïste | 8";
        row("quadrant", 5, 3) << "Gestionnaire | mesquin | Généreux | 7 | Dépensier | 8";
        row("quadrant", 5, 4) << "Connaisseur | Spécialiste, pointu | Généraliste, global | 7 | Vague | 7";
        row("quadrant", 5, 5) << "Solitaire | Renfermé, timide | Assuré | 7 | Colérique | 8";
        row("quadrant", 6, 1) << "Prudent | Timoré | Assuré | 9 | Intimidant | 3";
        row("quadrant", 6, 2) << "Interrogateur | Douteux | Confiant | 9 | Irréaliste | 3";
        row("quadrant", 6, 3) << "A l'écoute | partagé | Décidé | 9 | Inflexible | 3";
        row("quadrant", 6, 4) << "Loyal | Sacrifié | Centré | 9 | Egoïste | 3";
        row("quadrant", 6, 5) << "Fidèle | Subordonné | Autonome | 9 | Incontrôlable | 3";
        row("quadrant", 7, 1) << "Jouisseur | Gourmand | Mesuré | 5 | Retenu | 1";
        row("quadrant", 7, 2) << "Initiateur | Vélléitaire | Tenace | 5 | Buté | 1";
        row("quadrant", 7, 3) << "Enthousiaste | Excité | Centré | 5 | Ego-centré | 1";
        row("quadrant", 7, 4) << "Adaptable | Désordonné | Ordonné | 5 | Maniaque | 1";
        row("quadrant", 7, 5) << "Positif | Aventureux, inconscient | Réaliste | 5 | Fataliste | 1";
        row("quadrant", 8, 1) << "Fort | Ecrasant | Pondéré | 2 | Faible | 5";
        row("quadrant", 8, 2) << "Direct | Agressif | doux | 2 | Inconsistant | 5";
        row("quadrant", 8, 3) << "Décidé | Intransigeant | Flexible | 2 | Irrésolu | 5";
        row("quadrant", 8, 4) << "Combatif | Violent | Pacifique | 2 | Neutre | 5";
        row("quadrant", 8, 5) << "Justicier | Brutal | Accomodant | 2 | Mou | 5";
        row("quadrant", 9, 1) << "A l'écoute | Inexistant | Présent | 3 | Revendicateur | 6";
        row("quadrant", 9, 2) << "Stable | Timoré | Actif | 3 | Désordonné | 6";
        row("quadrant", 9, 3) << "Médiateur | Sans avis | Assertif | 3 | Intransigeant | 3";
        row("quadrant", 9, 4) << "Flexible | Indécis | Décidé | 3 | Inflexible | 3";
        row("quadrant", 9, 5) << "Calme | Effacé | Extraverti | 3 | Démonstratif | 3";

        row("keywords", 1) << "Travail | Défense des valeurs | Travail | Critique | Spécialiste | Responsabilité | "
                              "Activité | Critique | Critique";
        row("keywords", 2) << "Défense des valeurs | Altruisme | Planification | Reconnaissance | Observateur | "
                              "Sécurité | Planification | Planification | Altruisme";
        row("keywords", 3)
            << "Travail | Planification | Action | Apparences | Chercheur | Coopération | Action | Action | Médiation";
        row("keywords", 4) << "Critique | Reconnaissance | Apparences | Emotion | Observateur | Sécurité | Création | "
                              "Originalité | Sensualité";
        row("keywords", 5) << "Spécialiste | Observateur | Chercheur | Observateur | Observateur | Intérieur | "
                              "Chercheur | Chercheur | Contemplation";
        row("keywords", 6) << "Responsabilité | Sécurité | Action | Sécurité | Intérieur | Respect | Insouciance | "
                              "Manager | Altruisme";
        row("keywords", 7)
            << "Travail | Planification | Action | Création | Chercheur | Insouciance | Plaisir | Manager | Sensualité";
        row("keywords", 8)
            << "Critique | Altruisme | Action | Originalité | Chercheur | Manager | Manager | Manager | Réalisme";
        row("keywords", 9) << "Critique | Altruisme | Médiation | Sensualité | Contemplation | Altruisme | Sensualité "
                              "| Réalisme | Pacifisme";
    }
    void exactShortTables()
    {
        QFETCH(QString, table);
        QFETCH(int, type);
        QFETCH(int, row);
        QFETCH(QString, expected);
        const QString separator = QStringLiteral(" | ");
        QString actual;
        if (table == u"nickname") {
            actual = typology::nickname(type);
        } else if (table == u"wound, fixation and quality") {
            actual = typology::woundFixationQuality(type);
        } else if (table == u"profile") {
            const typology::TypeProfile p = typology::profile(type);
            actual = QStringList{QString::number(p.charge),     QString::number(p.discharge), p.passion, p.antidote,
                                 QString::number(p.evolution1), QString::number(p.evolution2)}
                         .join(separator);
        } else if (table == u"quadrant") {
            const QList<typology::QuadrantRow> rows = typology::quadrantRows(type);
            QCOMPARE(rows.size(), 5);
            const typology::QuadrantRow& r = rows[row - 1];
            const QString ownType = QStringLiteral("Type Ennéagramme %1").arg(type);
            QCOMPARE(r.qualityType, ownType);
            QCOMPARE(r.pitfallType, ownType);
            // The corner types are stored as "Type Ennéagramme " and the digit.
            const auto digit = [](const QString& typeText) {
                const QString prefix = QStringLiteral("Type Ennéagramme ");
                return typeText.startsWith(prefix) ? typeText.mid(prefix.size()) : u'?' + typeText;
            };
            actual =
                QStringList{r.quality, r.pitfall, r.challenge, digit(r.challengeType), r.allergy, digit(r.allergyType)}
                    .join(separator);
        } else if (table == u"keywords") {
            QStringList cells;
            for (int partner = 1; partner <= 9; ++partner)
                cells << typology::pairKeyword(type, partner);
            actual = cells.join(separator);
        }
        QCOMPARE(actual, expected);
    }

    void chargeAndDischargePointsAreInverse()
    {
        QSet<int> charges;
        for (int t = 1; t <= 9; ++t) {
            const typology::TypeProfile p = typology::profile(t);
            charges.insert(p.charge);
            QCOMPARE(typology::profile(p.discharge).charge, t);
        }
        QCOMPARE(charges.size(), 9);
    }

    void pairKeywords()
    {
        // Every keyword of the table has its paragraph, found whatever the letter case.
        for (int a = 1; a <= 9; ++a)
            for (int b = 1; b <= 9; ++b)
                QVERIFY2(!typology::interactionParagraph(typology::pairKeyword(a, b)).isEmpty(),
                         qPrintable(typology::pairKeyword(a, b)));
        QCOMPARE(typology::interactionParagraph("Travail"), typology::interactionParagraph("travail"));
        QVERIFY(typology::interactionParagraph("Inconnu").isEmpty());
    }

    void interactionParagraphs_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("opening");
        const QList<std::pair<const char*, const char*>> rows = {
            {"travail", "Beaucoup de travail et d'application,"},
            {"Défense des valeurs", "Interaction basée sur la mission"},
            {"Critique", "Sens de détail, créativité,"},
            {"Spécialiste", "Interaction fructueuse basée sur l'échange"},
            {"Responsabilité", "Les deux peuvent collaborer"},
            {"Altruisme", "La préoccupation de cette association"},
            {"Planification", "L'un peut aider l'autre"},
            {"Reconnaissance", "L'un et l'autre peuvent se sentir reconnus"},
            {"Observateur", "Les deux sont tournés vers autrui,"},
            {"Sécurité", "L'un amène à l'autre la sécurité"},
            {"Action", "Ces deux là sont sur la même longueur d'onde"},
            {"Apparences", "Il est difficile de communiquer"},
            {"Chercheur", "Bonne coopération potentielle"},
            {"Coopération", "Les deux peuvent fonctionner ensemble"},
            {"Médiation", "Les deux ont un fonctionnement tellement différent"},
            {"Emotion", "Les deux sont dans une recherche commune de grands sentiments"},
            {"Création", "Un très fort potentiel créatif"},
            {"Originalité", "Les deux veulent sortir des sentiers battus"},
            {"Sensualité", "Les deux peuvent se retrouver"},
            {"Intérieur", "Les deux peuvent se retrouver"},
            {"Contemplation", "Les deux peuvent se retrouver"},
            {"Respect", "Beaucoup de respect, d'écoute,"},
            {"Insouciance", "Belle complémentarité entre ces deux là."},
            {"Manager", "Les deux sont complémentaires,"},
            {"Plaisir", "Ces deux là sont dans une recherche commune de joie,"},
            {"Réalisme", "Ces deux là alternent rêve et réalité,"},
            {"Pacifisme", "Ces deux là vibrent sur la même longueur d'onde,"},
        };
        for (const auto& [key, opening] : rows)
            QTest::newRow(key) << QString::fromUtf8(key) << QString::fromUtf8(opening);
    }
    void interactionParagraphs()
    {
        QFETCH(QString, key);
        QFETCH(QString, opening);
        QVERIFY(typology::interactionKeys().contains(key));
        const QString text = typology::interactionParagraph(key);
        QVERIFY2(text.startsWith(opening), qPrintable(text));
        QCOMPARE(cp1252::firstUnencodable(text), -1);
        // The paragraph also serves colleagues and friends, and only the fixed opening keeps "deux là".
        QVERIFY2(!text.contains("couple"), qPrintable(text));
        QVERIFY2(!text.mid(opening.size()).contains("deux là"), qPrintable(text));
    }

    static QStringList authoredParagraphs()
    {
        QStringList texts;
        for (Paragraph table : {Paragraph::Summary, Paragraph::Portrait, Paragraph::Charge, Paragraph::Discharge,
                                Paragraph::Passion, Paragraph::Antidote, Paragraph::Evolution})
            for (int key = 1; key <= 9; ++key)
                texts << typology::paragraph(table, key);
        for (const char* key : {"charge", "discharge", "evolution"})
            texts << typology::detailsExplanation(key);
        for (const char* key : {"first", "second", "closing"})
            texts << typology::quadrantExplanation(key);
        for (const QString& key : typology::interactionKeys())
            texts << typology::interactionParagraph(key);
        return texts;
    }

    void authoredTextsWriteAccentedCapitals()
    {
        QStringList texts = authoredParagraphs();
        texts << questionTexts() << guideText();
        // "Etes-vous", "Evitez", "l'Epicurien": Windows-1252 has É and Ê, so a bare E there is a typo.
        const QRegularExpression bareE(QStringLiteral("\\bE[cdgpqtv][a-zàâçéèêîôû]"));
        for (const QString& text : texts)
            QVERIFY2(!bareE.match(text).hasMatch(), qPrintable(bareE.match(text).captured() + ": " + text));
    }

    // The string literals of the program's sources, adjacent ones joined as the compiler joins them, escapes
    // read; comments and included names left out.
    static QStringList sourceLiterals(const QString& root)
    {
        QStringList literals;
        QDirIterator files(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString code = QString::fromUtf8(file.readAll());
            QString literal;
            bool pending = false;
            for (qsizetype i = 0; i < code.size(); ++i) {
                const QChar c = code[i];
                if (code.mid(i, 2) == u"//" || code.mid(i, 8) == u"#include") {
                    i = code.indexOf(u'\n', i);
                } else if (code.mid(i, 2) == u"/*") {
                    i = code.indexOf(u"*/", i);
                    i = i < 0 ? i : i + 1;
                } else if (c == u'\'') {
                    i = code.indexOf(u'\'', code[i + 1] == u'\\' ? i + 3 : i + 2);
                } else if (c == u'"') {
                    for (++i; code[i] != u'"'; ++i) {
                        if (code[i] != u'\\') {
                            literal += code[i];
                        } else if (code[++i] == u'u') {
                            literal += QChar(code.mid(i + 1, 4).toUShort(nullptr, 16));
                            i += 4;
                        } else {
                            literal += code[i] == u'n' ? u'\n' : code[i] == u'r' ? u'\r' : code[i];
                        }
                    }
                    pending = true;
                    continue;
                } else if (c.isSpace()) {
                    continue;
                }
                if (pending)
                    literals << literal;
                literal.clear();
                pending = false;
                if (i < 0)
                    break;
            }
        }
        return literals;
    }

    void frenchTextsKeepPunctuationOnItsLine()
    {
        // A resizable text box may break an ordinary space: ":", ";", "?", "!" or "»" would then start a line. French
        // puts a non-breaking space there, in the authored paragraphs and in the program's own messages. The
        // questions and the guide's first sentence are kept as written.
        const QString opening = QStringLiteral("C'est très simple !");
        QVERIFY(guideText().startsWith(opening));
        QStringList texts = authoredParagraphs();
        texts << guideText().mid(opening.size());

        const QString sources = QStringLiteral(PSYCHE_SOURCE_DIR "/src");
#ifdef Q_OS_WIN
        if (!QFileInfo(sources).isDir())
            QSKIP("The sources are not visible from here: the messages are checked by the Unix build.");
#endif
        const QStringList literals = sourceLiterals(sources);
        QVERIFY(std::any_of(literals.begin(), literals.end(), [](const QString& l) { return l.contains(u"«\u00a0"); }));
        // The fixed texts the program reproduces word for word keep their spaces: the captions and the lead-ins of
        // lines, whose colon ends the literal before the value ("Passion : "), the questions quoted likewise, the
        // clarity line, and the figure's description as screen readers say it.
        const QRegularExpression fixedEnd(QStringLiteral(" [:?] ?$"));
        const QStringList keptAsTheyStand{
            QStringLiteral("Résultat à confirmer : les types "), QStringLiteral("Types marqués en rouge : %1."),
            QStringLiteral(" Ailes en jaune : %1."), QStringLiteral(" Lignes en rouge : %1.")};
        for (const QString& literal : literals) {
            if (!keptAsTheyStand.contains(literal) && !fixedEnd.match(literal).hasMatch())
                texts << literal;
        }

        const QRegularExpression breakable(QStringLiteral(" [:;?!»]|« "));
        for (const QString& text : texts)
            QVERIFY2(!breakable.match(text).hasMatch(), qPrintable(breakable.match(text).captured() + "| " + text));
    }
};

QTEST_GUILESS_MAIN(TestTypeTables)
#include "tst_typetables.moc"

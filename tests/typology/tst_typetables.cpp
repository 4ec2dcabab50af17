#include "platform/Cp1252.h"
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

    void keyZeroAndOutOfRangeGiveEmptyText()
    {
        QVERIFY(typology::nickname(0).isEmpty());
        QVERIFY(typology::woundFixationQuality(0).isEmpty());
        QVERIFY(typology::paragraph(Paragraph::Portrait, 0).isEmpty());
        QVERIFY(typology::paragraph(Paragraph::Summary, 10).isEmpty());
        QVERIFY(typology::quadrantRows(0).isEmpty());
        QVERIFY(typology::pairKeyword(0, 3).isEmpty());
    }

    void shortTables()
    {
        QCOMPARE(typology::nickname(9), QStringLiteral("Mediateurs, non-violents, préservateurs"));
        QCOMPARE(typology::woundFixationQuality(1),
                 QStringLiteral("Blessure de l'enfant : Sa spontanéité a été punit.\r\nFixation de l'ego : "
                                "Ressentiment\r\nQualité intrinsèque : La perfection"));
        // Charge points are a permutation and discharge points its inverse.
        QSet<int> charges;
        for (int t = 1; t <= 9; ++t) {
            const typology::TypeProfile p = typology::profile(t);
            charges.insert(p.charge);
            QCOMPARE(typology::profile(p.discharge).charge, t);
            if (t == 4) {
                QCOMPARE(p.evolution1, 1);
                QCOMPARE(p.evolution2, 2);
            } else {
                QCOMPARE(p.evolution1, p.charge);
                QCOMPARE(p.evolution2, p.discharge);
            }
        }
        QCOMPARE(charges.size(), 9);
    }

    void quadrantRows()
    {
        for (int t = 1; t <= 9; ++t) {
            const auto rows = typology::quadrantRows(t);
            QCOMPARE(rows.size(), 5);
            for (const auto& row : rows) {
                QCOMPARE(row.qualityType, QStringLiteral("Type Ennéagramme %1").arg(t));
                QCOMPARE(row.pitfallType, row.qualityType);
            }
        }
        const auto two = typology::quadrantRows(2);
        QCOMPARE(two[3].quality, QStringLiteral("Assistant"));
        QCOMPARE(two[3].challengeType, QStringLiteral("Type Ennéagramme 8"));
        QCOMPARE(two[2].challengeType, QStringLiteral("Type Ennéagramme 4"));
        QCOMPARE(typology::quadrantRows(7)[3].allergy, QStringLiteral("Maniaque"));
    }

    void pairKeywords()
    {
        QCOMPARE(typology::pairKeyword(1, 7), QStringLiteral("Activité"));
        QCOMPARE(typology::pairKeyword(7, 1), QStringLiteral("Travail"));
        QCOMPARE(typology::pairKeyword(2, 8), QStringLiteral("Planification"));
        QCOMPARE(typology::pairKeyword(8, 2), QStringLiteral("Altruisme"));
        QCOMPARE(typology::pairKeyword(3, 6), QStringLiteral("Coopération"));
        QCOMPARE(typology::pairKeyword(6, 3), QStringLiteral("Action"));
        int asymmetric = 0;
        for (int a = 1; a <= 9; ++a) {
            for (int b = a + 1; b <= 9; ++b)
                asymmetric += typology::pairKeyword(a, b) != typology::pairKeyword(b, a);
        }
        QCOMPARE(asymmetric, 3);
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
    }
};

QTEST_GUILESS_MAIN(TestTypeTables)
#include "tst_typetables.moc"

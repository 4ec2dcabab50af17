#include "typology/Analyses.h"
#include "typology/TypeTables.h"

#include <QtTest>

using typology::Paragraph;

class TestAnalyses : public QObject
{
    Q_OBJECT

    // As the window takes it: the captions, then their numbers read once.
    static ShownProfile read(ShownProfile shown)
    {
        readShownTypes(shown);
        return shown;
    }
    static ShownProfile synthesisOf(const QString& caption)
    {
        ShownProfile shown;
        shown.synthesisType = caption;
        return read(shown);
    }

    static ShownProfile typeOneWithUpperWing()
    {
        ShownProfile c;
        c.synthesisType = "1";
        c.details.type = "1";
        c.details.wing = "2";
        c.details.chargePoint = "4";
        c.details.dischargePoint = "7";
        c.details.passion = "Colère";
        c.details.antidote = "Sérénité";
        c.details.evolution1 = "4";
        c.details.evolution2 = "7";
        c.activeWing1 = 0;
        c.activeWing2 = 2;
        return read(c);
    }

    // An expected line: the exact text, or for an authored paragraph its opening and its length in characters.
    struct Line
    {
        const char* text;
        int length = -1;
    };
    static void compareLines(const QStringList& actual, const QList<Line>& expected)
    {
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < actual.size(); ++i) {
            const QString text = QString::fromUtf8(expected[i].text);
            if (expected[i].length < 0) {
                QCOMPARE(actual[i], text);
            } else {
                QVERIFY2(actual[i].startsWith(text), qPrintable(actual[i].left(80)));
                QCOMPARE(actual[i].toUcs4().size(), expected[i].length);
            }
        }
    }

private slots:
    void synthesisOfTypeOne()
    {
        const QList<Line> expected = {
            {"Type Ennéagramme : 1"},
            {""},
            {"Dominante : Reformateurs, critiques, perfectionistes."},
            {""},
            {"Blessure de l'enfant : Sa spontanéité a été punit.\r\nFixation de l'ego : Ressentiment\r\n"
             "Qualité intrinsèque : La perfection"},
            {""},
            {"Les uns sont focalisées sur leur intégrité.", 341},
            {""},
            {"Le un est amené à apprécier l'excellence", 1208},
            {""},
        };
        compareLines(analyses::synthesisLines(synthesisOf(QStringLiteral("1"))), expected);
    }

    void synthesisReadsTheCaption()
    {
        QCOMPARE(analyses::synthesisLines(synthesisOf(" 9 "))[2],
                 QStringLiteral("Dominante : Mediateurs, non-violents, préservateurs"));
        QCOMPARE(analyses::synthesisLines(synthesisOf(" 9 "))[0], QStringLiteral("Type Ennéagramme : 9"));
        QVERIFY(analyses::synthesisLines(synthesisOf("  ")).isEmpty());
    }

    void detailsOfTypeOneWithUpperWing()
    {
        const char* hyphens = "------------------------------------------------------------"
                              "------------------------------------------------------------";
        const QList<Line> expected = {
            {"Type Enneagramme : 1 : Reformateurs, critiques, perfectionistes."},
            {""},
            {"Aile 2"},
            {"Vous êtes également très proche du type 2 : Ceux qui aident, qui donnent, qui prennent soin."},
            {"Les deux, au mieux font preuve de compassion,", 215},
            {""},
            {"Point de charge 4"},
            {"Le point de charge permet de comprendre ce qui se passe quand un être va mal,", 319},
            {"En situation de stress, le type 1", 152},
            {""},
            {"Point de décharge 7"},
            {"Le point de décharge permet de voir ce qui se passe quand un être va bien,", 315},
            {"En situation de détente, le type 1", 142},
            {""},
            {hyphens},
            {""},
            {"Passion : Colère"},
            {"L'agressivité réprimée du type 1", 206},
            {""},
            {"Antidote : Sérénité"},
            {"Dépasser ses propres critères de perfection,", 179},
            {""},
            {hyphens},
            {""},
            {"Voies d'évolution"},
            {"Un des buts de l'énnéagramme et de nous faire comprendre", 571},
            {""},
            {"Voie d'évolution : 4"},
            {"Aller vers le côté romantique du point 4", 137},
            {""},
            {"Voie d'évolution : 7"},
            {"Aller vers le côté épicurien du point 7", 164},
            {""},
        };
        compareLines(analyses::detailLines(typeOneWithUpperWing()), expected);
    }

    void detailsWingGates()
    {
        ShownProfile c = typeOneWithUpperWing();
        c.activeWing1 = 9;
        QStringList lines = analyses::detailLines(c);
        QCOMPARE(lines[2], QStringLiteral("Aile 9"));
        QCOMPARE(lines[6], QStringLiteral("Aile 2"));

        c.details.wing.clear(); // no wing shown: no wing section, whatever the active wings
        lines = analyses::detailLines(c);
        QCOMPARE(lines[2], QStringLiteral("Point de charge 4"));

        c.details.wing = "2";
        c.activeWing1 = c.activeWing2 = 0;
        QCOMPARE(analyses::detailLines(c)[2], QStringLiteral("Point de charge 4"));
    }

    void detailsEmptyLabels()
    {
        ShownProfile c = typeOneWithUpperWing();
        c.synthesisType.clear();
        QVERIFY(analyses::detailLines(read(c)).isEmpty());

        // After "Effacer tout" on another page only the synthesis label gates; empty labels give empty paragraphs.
        const QStringList lines = analyses::detailLines(synthesisOf("4"));
        QCOMPARE(lines[0], QStringLiteral("Type Enneagramme :  : "));
        QCOMPARE(lines[2], QStringLiteral("Point de charge "));
        QCOMPARE(lines[4], QString());
        QVERIFY(!lines.contains("Passion : "));
        QVERIFY(!lines.contains("Voie d'évolution : "));
    }

    void detailsOfTypeFourKeepTheLabelOrder()
    {
        ShownProfile c = typeOneWithUpperWing();
        c.details.type = "4";
        c.details.evolution1 = "1";
        c.details.evolution2 = "2";
        const QStringList lines = analyses::detailLines(read(c));
        const qsizetype first = lines.indexOf("Voie d'évolution : 1");
        QVERIFY(first > 0);
        QCOMPARE(lines[first + 3], QStringLiteral("Voie d'évolution : 2"));
        QVERIFY(lines[first + 1].startsWith(QStringLiteral("Aller vers le côté perfectionniste du point 1")));
    }

    void quadrantOfTypeOneRowOne()
    {
        const QStringList lines =
            analyses::quadrantLines({"Perfectionniste", "Maniaque", "Relâché, détendu", "Diletante"});
        const QStringList expected = {
            "Le carré fondamental peut s'utiliser de plusieurs façons :",
            "",
            typology::quadrantExplanation("first"),
            "Votre couple qualité-piège : Perfectionniste - Maniaque",
            "Votre défi consiste à développer l'aspect : Relâché, détendu",
            "",
            typology::quadrantExplanation("second"),
            "Le comportement qui vous irrite : Diletante",
            "L'attitude à adopter : Relâché, détendu",
            "",
            typology::quadrantExplanation("closing"),
        };
        QCOMPARE(lines, expected);
        QCOMPARE(analyses::quadrantLines({})[3], QStringLiteral("Votre couple qualité-piège :  - "));
    }

    void interaction()
    {
        QVERIFY(analyses::interactionLines(" ").isEmpty());
        const QStringList lines = analyses::interactionLines(" Travail ");
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("Type d'intéraction : Travail"));
        QVERIFY(lines[1].startsWith("Beaucoup de travail et d'application,"));
        QCOMPARE(analyses::interactionLines("Inconnu"), QStringList{"Type d'intéraction : Inconnu"});
    }
};

QTEST_GUILESS_MAIN(TestAnalyses)
#include "tst_analyses.moc"

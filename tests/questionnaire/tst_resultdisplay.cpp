#include "MainWindowTest.h"
#include "widgets/ProfileChart.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>

Q_DECLARE_METATYPE(Scores)

class TestResultDisplay : public MainWindowTest
{
    Q_OBJECT

    QComboBox* quality() const { return f->find<QComboBox>("qualityCombo"); }
    QComboBox* allergy() const { return f->find<QComboBox>("allergyCombo"); }

private slots:
    // What the "Synthèse" page says of the profile after "Calculer", read as a screen reader reads it; "Effacer
    // tout" empties it.
    void clarityLineOnTheSynthesisPage_data()
    {
        QTest::addColumn<Scores>("scores");
        QTest::addColumn<QString>("line");
        QTest::newRow("clear result") << Scores{0, 3, 5, 2, 7, 1, 1, 0, 4, 2} << QStringLiteral("Résultat net");
        QTest::newRow("near tie of two") << Scores{0, 3, 5, 2, 7, 6, 1, 0, 4, 2}
                                         << QStringLiteral(
                                                "Résultat à confirmer : les types 4 et 5 ont des scores proches");
        QTest::newRow("near tie of three")
            << Scores{0, 1, 0, 0, 7, 6, 0, 0, 0, 7}
            << QStringLiteral("Résultat à confirmer : les types 4, 5 et 9 ont des scores proches");
        QTest::newRow("no profile (saved from the partner line)") << Scores{} << QString();
    }
    void clarityLineOnTheSynthesisPage()
    {
        QFETCH(Scores, scores);
        QFETCH(QString, line);
        f->computeFrom("4", "0", "0", scores);
        QLabel* clarity = f->label("clarityLabel");
        QCOMPARE(clarity->text(), line);
        QVERIFY(clarity->isVisible());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(clarity);
        QCOMPARE(accessible->role(), QAccessible::StaticText);
        QCOMPARE(accessible->text(QAccessible::Name), line);
        f->button("clearAllButton")->click();
        QVERIFY(clarity->text().isEmpty());
    }

    void typeFourWithUpperWing()
    {
        f->computeFrom(" 4", " 0", " 5", Scores{0, 3, 5, 2, 7, 6, 1, 0, 4, 2});
        QCOMPARE(f->text("synthesisTypeValue"), QStringLiteral("4"));
        QCOMPARE(f->text("detailsTypeValue"), QStringLiteral("4"));
        QCOMPARE(f->text("wingValue"), QStringLiteral("5"));
        auto* chart = f->find<ProfileChart>("profil");
        QCOMPARE(chart->barTop(4), 840);
        QCOMPARE(chart->barTop(7), ProfileChart::kAxisBottom);
        QCOMPARE(chart->barTop(2), 360 + 240 * 4);
        QVERIFY(f->find<QGroupBox>("profileFrame")->isVisible());

        QCOMPARE(f->detailsFigure()->numberColour(4), QColor(255, 0, 0));
        QCOMPARE(f->interactionFigure()->numberColour(4), QColor(255, 0, 0));
        QCOMPARE(f->detailsFigure()->numberColour(5), QColor(255, 255, 0));
        QCOMPARE(f->interactionFigure()->numberColour(5), f->window->palette().color(QPalette::ButtonText));
        // Lines to the charge point 2 and the discharge point 1, on the details figure only.
        QCOMPARE(f->detailsFigure()->lineColour(4, 2), QColor(255, 0, 0));
        QCOMPARE(f->detailsFigure()->lineColour(1, 4), QColor(255, 0, 0));
        QCOMPARE(f->detailsFigure()->lineColour(2, 8), QColor(0, 255, 0));
        QCOMPARE(f->interactionFigure()->lineColour(4, 2), QColor(0, 255, 0));

        QCOMPARE(f->text("chargePointValue"), QStringLiteral("2"));
        QCOMPARE(f->text("dischargePointValue"), QStringLiteral("1"));
        QCOMPARE(f->text("passionValue"), QStringLiteral("Envie"));
        QCOMPARE(f->text("antidoteValue"), QStringLiteral("Equanimité"));
        QCOMPARE(f->text("evolutionValue1"), QStringLiteral("1"));
        QCOMPARE(f->text("evolutionValue2"), QStringLiteral("2"));
        for (const char* name :
             {"synthesisButton", "detailsButton", "interactionButton", "quadrantButton", "interactionComputeButton"})
            QVERIFY2(f->button(name)->isEnabled(), name);
    }

    void computingTwiceShowsTheSame()
    {
        f->computeFrom("6", "5", "7");
        f->button("computeButton")->click();
        QCOMPARE(f->text("wingValue"), QStringLiteral("5 / 7"));
        QCOMPARE(quality()->count(), 5);
        QCOMPARE(quality()->currentIndex(), 0);
    }

    void noWings()
    {
        f->computeFrom("2", "0", "0");
        QVERIFY(f->text("wingValue").isEmpty());
        for (int n = 1; n <= 9; ++n)
            QVERIFY(f->detailsFigure()->numberColour(n) != QColor(255, 255, 0));
    }

    void mendedWingAndTypeReading()
    {
        // An empty wing text gives no wing, not the previous person's wing.
        f->computeFrom("5", "4", "6");
        f->button("clearAllButton")->click();
        f->computeFrom("5", "", "");
        QCOMPARE(f->window->state().activeWing1, qint16(0));
        QVERIFY(f->text("wingValue").isEmpty());
        // A wing that is not a neighbour of the type counts as none.
        f->button("clearAllButton")->click();
        f->computeFrom("5", "7", "6");
        QCOMPARE(f->text("wingValue"), QStringLiteral("6"));
        // A type outside 1..9 is refused and nothing changes.
        f->answerEvery(MessageAnswer::Ok, 1);
        f->label("te1")->setText("12");
        f->button("computeButton")->click();
        QCOMPARE(f->messages.texts(), QStringList{"Le type Ennéagramme doit être compris entre 1 et 9"});
        QVERIFY(f->messages.transcript[0].request.title.isEmpty());
        QCOMPARE(f->text("synthesisTypeValue"), QStringLiteral("5"));
        QCOMPARE(f->window->state().activeType, qint16(5));
        // An empty type does nothing at all.
        f->label("te1")->setText("  ");
        f->button("computeButton")->click();
        QCOMPARE(f->messages.transcript.size(), 1);
    }

    void reopenedScoresDriveTheBars()
    {
        f->computeFrom("1", "0", "0", Scores{0, 9, 0, 0, 0, 0, 0, 0, 0, 0});
        f->button("clearAllButton")->click();
        f->computeFrom("8", "7", "0", Scores{0, 1, 1, 1, 1, 1, 1, 8, 9, 1});
        auto* chart = f->find<ProfileChart>("profil");
        QCOMPARE(chart->barTop(1), 360 + 240 * 8);
        QCOMPARE(chart->barTop(8), 360);
    }

    void quadrantListsStayOnTheSameRow()
    {
        f->computeFrom("1", "0", "0");
        QCOMPARE(quality()->count(), 5);
        QCOMPARE(quality()->itemText(0), QStringLiteral("Perfectionniste"));
        QCOMPARE(allergy()->itemText(0), QStringLiteral("Diletante"));
        QCOMPARE(f->text("qualityTypeValue"), QStringLiteral("Type Ennéagramme 1"));
        QCOMPARE(f->text("pitfallValue"), QStringLiteral("Maniaque"));
        QCOMPARE(f->text("challengeTypeValue"), QStringLiteral("Type Ennéagramme 7"));
        QCOMPARE(f->text("allergyTypeValue"), QStringLiteral("Type Ennéagramme 4"));

        int qualityRuns = 0, allergyRuns = 0;
        connect(quality(), &QComboBox::currentIndexChanged, this, [&] { ++qualityRuns; });
        connect(allergy(), &QComboBox::currentIndexChanged, this, [&] { ++allergyRuns; });
        allergy()->setCurrentIndex(2);
        QCOMPARE(quality()->currentIndex(), 2);
        QCOMPARE(qualityRuns, 1);
        QCOMPARE(allergyRuns, 1);
        QCOMPARE(f->text("pitfallValue"), QStringLiteral("Révolutionnaire"));
        QCOMPARE(f->text("challengeValue"), QStringLiteral("Consensuel"));

        quality()->setCurrentIndex(4);
        QCOMPARE(allergy()->currentIndex(), 4);
        QCOMPARE(f->text("challengeValue"), QStringLiteral("Dans le dialogue"));
    }

    void quadrantTypesFollowTheRows()
    {
        f->computeFrom("2", "0", "0");
        quality()->setCurrentIndex(3);
        QCOMPARE(f->text("challengeTypeValue"), QStringLiteral("Type Ennéagramme 8"));
        quality()->setCurrentIndex(2);
        QCOMPARE(f->text("challengeTypeValue"), QStringLiteral("Type Ennéagramme 4"));

        // Another type replaces all five rows and goes back to the first.
        f->computeFrom("9", "0", "0");
        QCOMPARE(quality()->currentIndex(), 0);
        QCOMPARE(allergy()->currentIndex(), 0);
        QCOMPARE(quality()->itemText(4), QStringLiteral("Calme"));
        QCOMPARE(f->text("pitfallValue"), QStringLiteral("Inexistant"));
        QCOMPARE(f->window->state().quadrantTable.cell(6, Corner::Quality, Layer::Word), QString());
    }
};

QTEST_MAIN(TestResultDisplay)
#include "tst_resultdisplay.moc"

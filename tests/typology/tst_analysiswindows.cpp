#include "MainWindowFixture.h"
#include "typology/Analyses.h"
#include "typology/TypeTables.h"

#include <QComboBox>

class TestAnalysisWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

    InterpretationWindow* window() const { return f->window->interpretationWindow(); }
    static QString joined(const QStringList& lines)
    {
        QString text;
        for (const QString& line : lines)
            text += line + "\r\n";
        return text;
    }

    void partner(const QString& typed)
    {
        f->field("te2")->setText(typed);
        f->button("interactionComputeButton")->click();
    }

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup()
    {
        QVERIFY(f->messages.unexpected.isEmpty());
        f.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void refusedBeforeAnyType()
    {
        for (auto run :
             {&MainWindow::interpretSynthesis, &MainWindow::interpretDetails, &MainWindow::interpretQuadrant})
            (f->window.get()->*run)();
        f->window->interpretInteraction();
        const QString first = "Merci de répondre d'abord au questionnaire ou d'effectuer d'abord les calculs";
        QCOMPARE(f->messages.texts(), (QStringList{first, first, first, "Merci d'effectuer d'abord les calculs"}));
        for (const auto& shown : f->messages.transcript) {
            QVERIFY(shown.request.title.isEmpty());
            QCOMPARE(shown.request.icon, MessageIcon::None);
        }
        QCOMPARE(window(), nullptr);
    }

    void synthesisThenDetailsReuseOneWindow()
    {
        f->computeFrom("1", "0", "2");
        f->button("synthesisButton")->click();
        QVERIFY(window()->isVisible());
        QCOMPARE(window()->windowTitle(), QStringLiteral("Interprétation"));
        QCOMPARE(window()->title(), QStringLiteral("Synthèse"));
        QCOMPARE(window()->text(), joined(analyses::synthesisLines("1")));
        QVERIFY(window()->text().startsWith("Type Ennéagramme : 1\r\n\r\nDominante : Reformateurs"));

        InterpretationWindow* first = window();
        f->button("detailsButton")->click();
        QCOMPARE(window(), first);
        QCOMPARE(window()->title(), QStringLiteral("Détails"));
        QVERIFY(window()->text().startsWith("Type Enneagramme : 1 : Reformateurs, critiques, perfectionistes.\r\n\r\n"
                                            "Aile 2\r\n"));
        QVERIFY(!window()->text().contains("Dominante"));

        f->button("detailsButton")->click();
        QCOMPARE(window()->text().count("Voies d'évolution"), 1);
    }

    void closedWindowIsCreatedAgain()
    {
        f->computeFrom("3", "0", "0");
        f->button("synthesisButton")->click();
        window()->close();
        QTRY_COMPARE(window(), nullptr);
        f->button("quadrantButton")->click();
        QVERIFY(window());
        QCOMPARE(window()->title(), QStringLiteral("Carré fondamental"));
    }

    void emptyTypeLabelGivesAnEmptyText()
    {
        f->computeFrom("5", "0", "0");
        f->label("synthesisTypeValue")->clear();
        f->button("detailsButton")->click();
        QCOMPARE(window()->title(), QStringLiteral("Détails"));
        QVERIFY(window()->text().isEmpty());
        QVERIFY(window()->isVisible());
    }

    void quadrantOfTheSelectedRow()
    {
        f->computeFrom("1", "0", "0");
        f->find<QComboBox>("allergyCombo")->setCurrentIndex(2);
        f->button("quadrantButton")->click();
        const QStringList lines = window()->text().split("\r\n");
        QCOMPARE(lines[3], QStringLiteral("Votre couple qualité-piège : Réformateur - Révolutionnaire"));
        QCOMPARE(lines[4], QStringLiteral("Votre défi consiste à développer l'aspect : Consensuel"));
        QCOMPARE(lines[7], QStringLiteral("Le comportement qui vous irrite : Mou"));
        QCOMPARE(lines[8], QStringLiteral("L'attitude à adopter : Consensuel"));
    }

    void interactionCases_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("partnerType");
        QTest::addColumn<bool>("line");
        QTest::newRow("spaces around the partner type") << 4 << " 1 "
                                                        << "Critique" << 1 << true;
        QTest::newRow("1 with 7") << 1 << "7"
                                  << "Activité" << 7 << true;
        QTest::newRow("7 with 1") << 7 << "1"
                                  << "Travail" << 1 << true;
        QTest::newRow("2 with 8") << 2 << "8"
                                  << "Planification" << 8 << true;
        QTest::newRow("8 with 2") << 8 << "2"
                                  << "Altruisme" << 2 << true;
        QTest::newRow("3 with 6") << 3 << "6"
                                  << "Coopération" << 6 << true;
        QTest::newRow("6 with 3") << 6 << "3"
                                  << "Action" << 3 << true;
        QTest::newRow("equal types") << 9 << "9"
                                     << "Pacifisme" << 9 << false;
        QTest::newRow("not joined") << 1 << "2"
                                    << "Défense des valeurs" << 2 << false;
        QTest::newRow("2.5 is 2") << 5 << "2.5"
                                  << "Observateur" << 2 << false;
        QTest::newRow("3.5 is 4") << 5 << "3.5"
                                  << "Observateur" << 4 << false;
        QTest::newRow("0.6 is 1") << 5 << "0.6"
                                  << "Spécialiste" << 1 << false;
    }
    void interactionCases()
    {
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(QString, keyword);
        QFETCH(int, partnerType);
        QFETCH(bool, line);
        f->computeFrom(QString::number(type), "0", "0");
        partner(typed);
        QVERIFY(f->messages.transcript.isEmpty());
        QCOMPARE(f->text("interactionKeywordLabel"), keyword);
        EnneagramFigure* figure = f->interactionFigure();
        int red = 0;
        for (int n = 1; n <= 9; ++n)
            red += figure->numberColour(n) == EnneagramFigure::kHighlight;
        QCOMPARE(red, type == partnerType ? 1 : 2);
        QCOMPARE(figure->numberColour(partnerType), EnneagramFigure::kHighlight);
        int redLines = 0;
        for (int a = 1; a <= 9; ++a)
            for (int b = a + 1; b <= 9; ++b)
                redLines += figure->lineColour(a, b) == EnneagramFigure::kHighlight;
        QCOMPARE(redLines, line ? 1 : 0);
        if (line)
            QCOMPARE(figure->lineColour(type, partnerType), EnneagramFigure::kHighlight);
    }

    void refusedPartnerValuesChangeNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString range = "Le type Ennéagramme du partenaire doit être compris entre 1 et 9";
        for (const char* value : {"9.5", "0", "-3", "12", "abc", "12345678901", "4/5"})
            QTest::newRow(value) << QString(value) << range;
        QTest::newRow("empty") << "  "
                               << "Merci de préciser le type Ennéagramme du partenaire";
    }
    void refusedPartnerValuesChangeNothing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        f->computeFrom("4", "0", "0");
        partner("1");
        f->field("firstNameField")->setFocus();
        partner(typed);
        QCOMPARE(f->messages.texts(), QStringList{message});
        QCOMPARE(f->text("interactionKeywordLabel"), QStringLiteral("Critique"));
        QCOMPARE(f->interactionFigure()->lineColour(1, 4), EnneagramFigure::kHighlight);
        QCOMPARE(QApplication::focusWidget(), f->field("te2"));
    }

    void interpretationFollowsTheShownKeyword()
    {
        f->computeFrom("7", "0", "0");
        f->button("interactionButton")->click();
        QCOMPARE(window()->title(), QStringLiteral("Interaction entre deux personnes"));
        QVERIFY(window()->text().isEmpty());

        partner("1");
        f->field("te2")->setText("5"); // changed without "Calculer"
        f->button("interactionButton")->click();
        QCOMPARE(window()->text(), joined({"Type d'intéraction : Travail", typology::interactionParagraph("travail")}));
    }
};

QTEST_MAIN(TestAnalysisWindows)
#include "tst_analysiswindows.moc"

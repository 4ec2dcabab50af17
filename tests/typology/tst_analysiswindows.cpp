#include "MainWindowTest.h"
#include "typology/Analyses.h"
#include "typology/TypeTables.h"

#include <QComboBox>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

class TestAnalysisWindows : public MainWindowTest
{
    Q_OBJECT

    InterpretationWindow* window() const { return f->window->interpretationWindow(); }
    // The interpretation window stays open until the user closes it.
    void closeWindow() const { window()->close(); }
    void partner(const QString& typed)
    {
        f->field("te2")->setText(typed);
        f->button("interactionComputeButton")->click();
    }

private slots:
    void refusedBeforeAnyType()
    {
        f->answerEvery(MessageAnswer::Ok, 4);
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
        closeWindow();
    }

    // What the text box shows, line by line: each CR LF, also those inside the wound line, is a line break.
    void textBoxShowsTheAnalysis()
    {
        f->computeFrom(u"1"_s, u"0"_s, u"0"_s);
        f->button(u"synthesisButton"_s)->click();
        const QPlainTextEdit* box = window()->textBox();
        QVERIFY(box->isVisible());
        const QStringList shown = box->toPlainText().split(u'\n');
        QCOMPARE(shown.size(), 13);
        QCOMPARE(shown.mid(0, 8), (QStringList{u"Type Ennéagramme : 1"_s, QString(),
                                               u"Dominante : Reformateurs, critiques, perfectionistes."_s, QString(),
                                               u"Blessure de l'enfant : Sa spontanéité a été punit."_s,
                                               u"Fixation de l'ego : Ressentiment"_s,
                                               u"Qualité intrinsèque : La perfection"_s, QString()}));
        QVERIFY(shown[8].startsWith(u"Les uns sont focalisées sur leur intégrité."_s));
        QCOMPARE(shown[9], QString());
        QVERIFY(shown[10].startsWith(u"Le un est amené à apprécier l'excellence"_s));
        QCOMPARE(shown[10].toUcs4().size(), 1208);
        QCOMPARE(shown[11], QString());
        QCOMPARE(shown[12], QString()); // after the last line end

        // A second analysis replaces the text on screen.
        f->button(u"quadrantButton"_s)->click();
        QCOMPARE(box->toPlainText().split(u'\n').first(),
                 u"Le carré fondamental peut s'utiliser de plusieurs façons :"_s);
        // toPlainText() would turn the non-breaking spaces into ordinary ones; the raw text keeps what is on screen.
        QCOMPARE(box->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n'),
                 QString(window()->text()).replace(u"\r\n"_s, u"\n"_s));
        closeWindow();
    }

    // The detailed description names each value the "Détails" page shows, under its own heading.
    void detailsNameThePageValues()
    {
        f->computeFrom(u"1"_s, u"0"_s, u"2"_s);
        f->button(u"detailsButton"_s)->click();
        QStringList headings;
        const QStringList shown = window()->textBox()->toPlainText().split(u'\n');
        for (const QString& line : shown) {
            if (line.startsWith(u"Aile "_s) || line.startsWith(u"Point de "_s) || line.startsWith(u"Passion"_s) ||
                line.startsWith(u"Antidote"_s) || line.startsWith(u"Voie d'évolution :"_s))
                headings << line;
        }
        QCOMPARE(headings,
                 (QStringList{u"Aile 2"_s, u"Point de charge 4"_s, u"Point de décharge 7"_s, u"Passion : Colère"_s,
                              u"Antidote : Sérénité"_s, u"Voie d'évolution : 4"_s, u"Voie d'évolution : 7"_s}));
        closeWindow();
    }

    // The window never blocks the main window.
    void interpretationWindowIsModeless()
    {
        f->computeFrom(u"2"_s, u"0"_s, u"0"_s);
        f->button(u"detailsButton"_s)->click();
        QVERIFY(window()->isVisible());
        QCOMPARE(window()->windowModality(), Qt::NonModal);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(f->window->isEnabled());
        closeWindow();
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
        closeWindow();
    }

    void emptyTypeLabelGivesAnEmptyText()
    {
        f->computeFrom("5", "0", "0");
        f->label("synthesisTypeValue")->clear();
        f->button("detailsButton")->click();
        QCOMPARE(window()->title(), QStringLiteral("Détails"));
        QVERIFY(window()->text().isEmpty());
        QVERIFY(window()->isVisible());
        closeWindow();
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
        closeWindow();
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

    // A second "Calculer" starts from the plain figure: the previous partner's number and line lose their red.
    void secondCalculationReplacesTheFirst()
    {
        f->computeFrom(u"4"_s, u"0"_s, u"0"_s);
        partner(u"1"_s);
        QCOMPARE(f->interactionFigure()->lineColour(1, 4), EnneagramFigure::kHighlight);
        partner(u"2"_s);
        QCOMPARE(f->text(u"interactionKeywordLabel"_s), u"Reconnaissance"_s);
        EnneagramFigure* figure = f->interactionFigure();
        const QColor buttonText = f->window->palette().color(QPalette::ButtonText);
        for (int n = 1; n <= 9; ++n)
            QCOMPARE(figure->numberColour(n), n == 4 || n == 2 ? EnneagramFigure::kHighlight : buttonText);
        QCOMPARE(figure->lineColour(1, 4), QColor(0, 255, 0));
        QCOMPARE(figure->lineColour(4, 2), EnneagramFigure::kHighlight);

        partner(u"4"_s); // the same type: no line at all
        QCOMPARE(figure->lineColour(4, 2), QColor(0, 255, 0));
        QCOMPARE(figure->numberColour(2), buttonText);
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
        f->answerEvery(MessageAnswer::Ok, 1);
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
        const QStringList lines = window()->text().split(u"\r\n"_s);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], u"Type d'intéraction : Travail"_s);
        QVERIFY(lines[1].startsWith(u"Beaucoup de travail et d'application,"_s));
        closeWindow();
    }
};

QTEST_MAIN(TestAnalysisWindows)
#include "tst_analysiswindows.moc"

#include "MainWindowTest.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestMainWindow : public MainWindowTest
{
    Q_OBJECT

private slots:
    void startsAsLaidOut()
    {
        QCOMPARE(f->window->windowTitle(), QStringLiteral("Psyche Rondo"));
        auto* tabs = f->find<QTabWidget>("mainTabs");
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Synthèse"));
        QCOMPARE(tabs->tabText(3), QStringLiteral("Interaction entre deux personnes"));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(f->window->centralWidget()->size(), QSize(809, 544)); // 12135 x 8160 twips
        QTRY_COMPARE(QApplication::focusWidget(), f->field("firstNameField"));
        for (const char* name :
             {"synthesisButton", "detailsButton", "interactionButton", "quadrantButton", "interactionComputeButton"})
            QVERIFY2(!f->button(name)->isEnabled(), name);
        QVERIFY(f->button("questionnaireButton")->isEnabled());
        QVERIFY(f->find<QGroupBox>("profileFrame")->isHidden());
        QVERIFY(f->label("aile1")->isHidden());
    }

    void menus()
    {
        const QList<QAction*> menus = f->window->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), QStringLiteral("&Fichier"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Interprétation"));
        QVERIFY(!menus[1]->isEnabled());
        QCOMPARE(menus[2]->text(), QStringLiteral("&?"));
        const auto action = [this](const char* name) { return f->window->findChild<QAction*>(name); };
        QCOMPARE(action("m_ouvrir")->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(action("m_enregistrer")->text(), QStringLiteral("Sauvegarder"));
        QCOMPARE(action("m_imprimer2")->text(), QStringLiteral("&Imprimer le thème..."));
        QCOMPARE(action("m_imprimer2")->shortcut(), QKeySequence("Ctrl+P"));
        QCOMPARE(action("m_quitter")->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(action("m_apropos")->text(), QStringLiteral("A propos de Psyche Rondo..."));
    }

    void effacerClearsAllButTheActiveTypeAndKeyword()
    {
        f->field("firstNameField")->setText("Anne");
        f->computeFrom("1", "0", "2", Scores{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        f->field("partnerFirstNameField")->setText("Luc");
        f->field("te2")->setText("7");
        f->button("interactionComputeButton")->click();
        QCOMPARE(f->text("interactionKeywordLabel"), QStringLiteral("Activité"));
        f->find<QTabWidget>("mainTabs")->setCurrentIndex(2);

        f->button("clearAllButton")->click();
        for (const char* name : {"firstNameField", "partnerFirstNameField", "te2"})
            QVERIFY(f->field(name)->text().isEmpty());
        for (const char* name :
             {"te1", "aile1", "aile2", "synthesisTypeValue", "detailsTypeValue", "wingValue", "chargePointValue",
              "passionValue", "evolutionValue2", "pitfallValue", "qualityTypeValue"})
            QVERIFY2(f->text(name).isEmpty(), name);
        const QColor buttonText = f->window->palette().color(QPalette::ButtonText);
        for (int n = 1; n <= 9; ++n) {
            QCOMPARE(f->detailsFigure()->numberColour(n), buttonText);
            QCOMPARE(f->interactionFigure()->numberColour(n), buttonText);
        }
        QCOMPARE(f->detailsFigure()->lineColour(1, 4), QColor(0, 255, 0));
        QCOMPARE(f->detailsFigure()->lineColour(3, 9), QColor(192, 255, 192));
        QCOMPARE(f->interactionFigure()->lineColour(1, 7), QColor(0, 255, 0));
        QVERIFY(!f->button("quadrantButton")->isEnabled());
        QVERIFY(f->find<QGroupBox>("profileFrame")->isHidden());
        QCOMPARE(f->window->state().scores, Scores{});
        QCOMPARE(f->find<QComboBox>("qualityCombo")->count(), 0);

        QCOMPARE(f->window->state().activeType, qint16(1));
        QCOMPARE(f->window->state().activeWing2, qint16(2));
        QCOMPARE(f->text("interactionKeywordLabel"), QStringLiteral("Activité"));
        QCOMPARE(f->find<QTabWidget>("mainTabs")->currentIndex(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), f->field("firstNameField"));
    }

    void enterPressesTheDefaultButton()
    {
        QCOMPARE(f->window->defaultButton(), nullptr);
        f->field("firstNameField")->setFocus();
        QTest::keyClicks(f->field("firstNameField"), "A");
        QCOMPARE(f->window->defaultButton(), f->button("computeButton"));
        f->label("te1")->setText("12");
        f->answerEvery(MessageAnswer::Ok, 1);
        QTest::keyClick(f->field("firstNameField"), Qt::Key_Return);
        // "Calculer" ran: it refused the type in the top strip.
        QCOMPARE(f->messages.texts(), QStringList{"Le type Ennéagramme doit être compris entre 1 et 9"});

        QTest::keyClicks(f->field("partnerFirstNameField"), "L");
        QCOMPARE(f->window->defaultButton(), f->button("questionnaireButton"));
        f->answerEvery(MessageAnswer::Cancel, 1);
        QTest::keyClick(f->field("partnerFirstNameField"), Qt::Key_Enter);
        QCOMPARE(f->messages.transcript.last().request.title, QStringLiteral("Questionnaire"));

        // Clearing empties the partner's names after the user's, leaving the questionnaire as the default.
        f->field("firstNameField")->setText("Anne");
        f->field("partnerFirstNameField")->setText("Luc");
        f->button("clearAllButton")->click();
        QCOMPARE(f->window->defaultButton(), f->button("questionnaireButton"));
    }

    void everyControlIsNamedAndDescribed()
    {
        f->computeFrom("4", "0", "5");
        QStringList missing;
        auto* tabs = f->find<QTabWidget>("mainTabs");
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            for (QWidget* widget : f->window->findChildren<QWidget*>()) {
                if (!widget->isVisibleTo(f->window.get()) || widget->focusPolicy() == Qt::NoFocus ||
                    widget->objectName().startsWith("qt_") ||
                    (!widget->parentWidget()->isWindow() && widget->parentWidget()->inherits("QComboBox")))
                    continue;
                QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
                if (!accessible || accessible->text(QAccessible::Name).isEmpty() ||
                    widget->accessibleDescription().isEmpty())
                    missing << widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName();
            }
        }
        missing.removeDuplicates();
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        // The figures say in words what they highlight.
        QCOMPARE(QAccessible::queryAccessibleInterface(f->detailsFigure())->text(QAccessible::Name),
                 QStringLiteral(
                     "Figure de l'ennéagramme. Types marqués en rouge\u00a0: 4. Ailes en jaune\u00a0: 5. Lignes en "
                     "rouge\u00a0: 1-4, 4-2."));
    }

    // Every field, label, colour and list that "Effacer tout" empties, filled first so that a forgotten one shows.
    void effacerEmptiesEveryListedControl()
    {
        for (const char* name : {"firstNameField", "lastNameField", "partnerFirstNameField", "partnerLastNameField"})
            f->field(QLatin1String(name))->setText(QStringLiteral("Nom"));
        f->computeFrom(QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("5"),
                       Scores{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        f->field(QStringLiteral("te2"))->setText(QStringLiteral("1"));
        f->button(QStringLiteral("interactionComputeButton"))->click();
        f->find<QComboBox>(QStringLiteral("qualityCombo"))->setCurrentIndex(2);
        QCOMPARE(f->text(QStringLiteral("antidoteValue")), QStringLiteral("Equanimité"));

        f->button(QStringLiteral("clearAllButton"))->click();

        for (const char* name :
             {"firstNameField", "lastNameField", "partnerFirstNameField", "partnerLastNameField", "te2"})
            QVERIFY2(f->field(QLatin1String(name))->text().isEmpty(), name);
        for (const char* name : {"te1", "aile1", "aile2", "synthesisTypeValue", "detailsTypeValue", "wingValue",
                                 "chargePointValue", "dischargePointValue", "passionValue", "antidoteValue",
                                 "evolutionValue1", "evolutionValue2", "qualityTypeValue", "pitfallValue",
                                 "pitfallTypeValue", "challengeTypeValue", "challengeValue", "allergyTypeValue"})
            QVERIFY2(f->text(QLatin1String(name)).isEmpty(), name);
        const QColor buttonText = f->window->palette().color(QPalette::ButtonText);
        const QColor lightGreen(192, 255, 192), green(0, 255, 0);
        const QList<std::tuple<int, int, QColor>> lines = {{3, 6, lightGreen}, {6, 9, lightGreen}, {9, 3, lightGreen},
                                                           {1, 4, green},      {4, 2, green},      {2, 8, green},
                                                           {8, 5, green},      {5, 7, green},      {7, 1, green}};
        for (EnneagramFigure* figure : {f->detailsFigure(), f->interactionFigure()}) {
            for (int n = 1; n <= 9; ++n)
                QCOMPARE(figure->numberColour(n), buttonText);
            for (const auto& [a, b, colour] : lines)
                QCOMPARE(figure->lineColour(a, b), colour);
        }
        for (const char* name :
             {"synthesisButton", "detailsButton", "interactionButton", "quadrantButton", "interactionComputeButton"})
            QVERIFY2(!f->button(QLatin1String(name))->isEnabled(), name);
        QCOMPARE(f->window->state().scores, Scores{});
        const QuadrantTable& table = f->window->state().quadrantTable;
        for (int row = 0; row <= 10; ++row)
            for (const Corner corner : {Corner::Quality, Corner::Pitfall, Corner::Challenge, Corner::Allergy})
                for (const Layer layer : {Layer::Type, Layer::Word})
                    QVERIFY(table.cell(row, corner, layer).isEmpty());
        QVERIFY(f->find<QGroupBox>(QStringLiteral("profileFrame"))->isHidden());
        QCOMPARE(f->find<QComboBox>(QStringLiteral("qualityCombo"))->count(), 0);
        QCOMPARE(f->find<QComboBox>(QStringLiteral("allergyCombo"))->count(), 0);
    }

    // Each of the four name fields, typed into, makes its button the default, whichever was the default before.
    void nameFieldsChooseTheDefaultButton_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("your first name") << u"firstNameField"_s << u"partnerFirstNameField"_s << u"computeButton"_s;
        QTest::newRow("your last name") << u"lastNameField"_s << u"partnerFirstNameField"_s << u"computeButton"_s;
        QTest::newRow("partner's first name")
            << u"partnerFirstNameField"_s << u"firstNameField"_s << u"questionnaireButton"_s;
        QTest::newRow("partner's last name")
            << u"partnerLastNameField"_s << u"firstNameField"_s << u"questionnaireButton"_s;
    }
    void nameFieldsChooseTheDefaultButton()
    {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, after);
        f->find<QTabWidget>(u"mainTabs"_s)->setCurrentIndex(3);
        QTest::keyClicks(f->field(before), u"a"_s);
        QVERIFY(f->window->defaultButton() != f->button(after));
        QTest::keyClicks(f->field(field), u"b"_s);
        QCOMPARE(f->window->defaultButton(), f->button(after));
        QVERIFY(f->button(after)->isDefault());
        QVERIFY(!f->button(after == u"computeButton" ? u"questionnaireButton"_s : u"computeButton"_s)->isDefault());
    }

    void quitterEndsTheEventLoop()
    {
        bool timedOut = false;
        QTimer::singleShot(0, f->window.get(), [this] { f->window->findChild<QAction*>(u"m_quitter"_s)->trigger(); });
        QTimer guard; // stops with its test
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [&timedOut] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!timedOut);
    }

    void aboutBox()
    {
        f->answerEvery(MessageAnswer::Ok, 1);
        f->window->findChild<QAction*>("m_apropos")->trigger();
        compareOnlyBox(f->messages, {QStringLiteral("Psyche Rondo Version 1.1"), QStringLiteral("A Propos"),
                                     MessageButtons::Ok, MessageIcon::Information});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

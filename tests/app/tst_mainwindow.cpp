#include "MainWindowFixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QTabWidget>

class TestMainWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup()
    {
        QVERIFY(f->messages.unexpected.isEmpty());
        f.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

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
        f->field("partnerFirstNameField")->setText("Luc");
        f->field("te2")->setText("7");
        f->computeFrom("1", "0", "2", Scores{0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
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
        f->window->effacer();
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
                    !widget->parentWidget()->isWindow() && widget->parentWidget()->inherits("QComboBox"))
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
                 QStringLiteral("Figure de l'ennéagramme : types marqués en rouge : 4. Ailes en jaune : 5. Lignes en "
                                "rouge : 1-4, 4-2."));
    }

    void aboutBox()
    {
        f->window->findChild<QAction*>("m_apropos")->trigger();
        QCOMPARE(f->messages.transcript.size(), 1);
        const MessageRequest& box = f->messages.transcript[0].request;
        QCOMPARE(box.text, QStringLiteral("Psyche Rondo Version 1.1"));
        QCOMPARE(box.title, QStringLiteral("A Propos"));
        QCOMPARE(box.icon, MessageIcon::Information);
        QCOMPARE(box.buttons, MessageButtons::Ok);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

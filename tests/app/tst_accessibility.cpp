#include "MainWindowTest.h"
#include "interpretation/InterpretationWindow.h"
#include "persons/OpenPersonDialog.h"
#include "persons/PersonDirectory.h"

#include <QAccessible>
#include <QComboBox>
#include <QListView>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {

// What a screen reader is told about a control, asked the way it asks.
QString spoken(QObject* object, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(object);
    return accessible ? accessible->text(text) : QStringLiteral("<no accessible interface>");
}

// Accessibility events, as the platform bridge would receive them.
QList<QPair<QObject*, QAccessible::Event>> g_events;
void recordEvent(QAccessibleEvent* event)
{
    g_events.append({event->object(), event->type()});
}

} // namespace

class TestAccessibility : public MainWindowTest
{
    Q_OBJECT

    void answerAllNo()
    {
        f->answerEvery(MessageAnswer::No);
        f->button("questionnaireButton")->click();
        QCOMPARE(f->text("te1"), QStringLiteral(" 9"));
    }

    // "-> Vous" on the first person of a directory file written beforehand.
    void reopenFirstPerson(const QByteArray& directory)
    {
        QFile file(directoryFilePath(f->dataFolder()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(directory);
        file.close();
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<OpenPersonDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* list = dialog->findChild<QListView*>("personList");
            QVERIFY(list);
            list->setCurrentIndex(list->model()->index(0, 0));
            dialog->findChild<QPushButton*>("toUserButton")->click();
        });
        f->window->findChild<QAction*>("m_ouvrir")->trigger();
    }

    // Every label that shows a text on any page, read by a screen reader without that text.
    QStringList unreadTexts()
    {
        QStringList unread;
        auto* tabs = f->find<QTabWidget>("mainTabs");
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            for (QLabel* label : f->window->findChildren<QLabel*>()) {
                const QString shown = label->text().trimmed();
                if (!label->isVisibleTo(f->window.get()) || shown.isEmpty())
                    continue;
                if (!spoken(label).contains(shown))
                    unread << label->objectName() + " « " + shown + " » read as « " + spoken(label) + " »";
            }
        }
        tabs->setCurrentIndex(0);
        unread.removeDuplicates();
        return unread;
    }

    void tabTo(const char* name)
    {
        f->field("firstNameField")->setFocus();
        QWidget* target = f->find(name);
        for (int i = 0; i < 30 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), target);
    }

private slots:

    void valuesAreReadWithTheirCaptions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("afterQuestionnaire");
        QTest::addColumn<QString>("afterClearing");

        // All answers "no": type 9 with wings 8 and 1.
        QTest::newRow("top strip type, with the wings it carries") << "te1"
                                                                   << "Type Ennéagramme\u00a0: 9, ailes\u00a0: 8 et 1"
                                                                   << "Type Ennéagramme\u00a0: vide";
        QTest::newRow("Synthèse type") << "synthesisTypeValue"
                                       << "Type Ennéagramme\u00a0: 9"
                                       << "Type Ennéagramme\u00a0: vide";
        QTest::newRow("Détails type") << "detailsTypeValue"
                                      << "Type Ennéagramme\u00a0: 9"
                                      << "Type Ennéagramme\u00a0: vide";
        QTest::newRow("wings") << "wingValue"
                               << "Aile\u00a0: 8 / 1"
                               << "Aile\u00a0: vide";
        QTest::newRow("charge point") << "chargePointValue"
                                      << "Point de charge\u00a0: 6"
                                      << "Point de charge\u00a0: vide";
        QTest::newRow("discharge point") << "dischargePointValue"
                                         << "Point de décharge\u00a0: 3"
                                         << "Point de décharge\u00a0: vide";
        QTest::newRow("passion") << "passionValue"
                                 << "Passion\u00a0: Paresse"
                                 << "Passion\u00a0: vide";
        QTest::newRow("antidote") << "antidoteValue"
                                  << "Antidote\u00a0: Action juste"
                                  << "Antidote\u00a0: vide";
        QTest::newRow("first evolution point") << "evolutionValue1"
                                               << "Voie d'évolution\u00a0: 6"
                                               << "Voie d'évolution\u00a0: vide";
        QTest::newRow("second evolution point, after « et »") << "evolutionValue2"
                                                              << "Seconde voie d'évolution\u00a0: 3"
                                                              << "Seconde voie d'évolution\u00a0: vide";
        QTest::newRow("quality box type") << "qualityTypeValue"
                                          << "Qualité\u00a0: Type Ennéagramme 9"
                                          << "Qualité\u00a0: vide";
        QTest::newRow("pitfall box type") << "pitfallTypeValue"
                                          << "Piège\u00a0: Type Ennéagramme 9"
                                          << "Piège\u00a0: vide";
        QTest::newRow("pitfall word") << "pitfallValue"
                                      << "Piège\u00a0: Inexistant"
                                      << "Piège\u00a0: vide";
        QTest::newRow("challenge box type") << "challengeTypeValue"
                                            << "Défi\u00a0: Type Ennéagramme 3"
                                            << "Défi\u00a0: vide";
        QTest::newRow("challenge word") << "challengeValue"
                                        << "Défi\u00a0: Présent"
                                        << "Défi\u00a0: vide";
        QTest::newRow("allergy box type") << "allergyTypeValue"
                                          << "Allergie\u00a0: Type Ennéagramme 6"
                                          << "Allergie\u00a0: vide";
        QTest::newRow("Détails figure")
            << "detailsFigureNumbers"
            << "Figure de l'ennéagramme. Types marqués en rouge\u00a0: 9. Ailes en jaune\u00a0: 1, "
               "8. Lignes en rouge\u00a0: 9-3, 9-6."
            << "Figure de l'ennéagramme. Aucun type marqué.";
        QTest::newRow("interaction figure") << "interactionFigureNumbers"
                                            << "Figure de l'ennéagramme. Types marqués en rouge\u00a0: 9."
                                            << "Figure de l'ennéagramme. Aucun type marqué.";
    }

    void valuesAreReadWithTheirCaptions()
    {
        QFETCH(QString, control);
        QFETCH(QString, afterQuestionnaire);
        QFETCH(QString, afterClearing);
        QWidget* widget = f->find(control);
        answerAllNo();
        QCOMPARE(spoken(widget), afterQuestionnaire);
        f->button("clearAllButton")->click();
        QCOMPARE(spoken(widget), afterClearing);
    }

    // Qt sends accessibility events only while a screen reader bridge listens, which needs a desktop session:
    // QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 with the AT-SPI bus, under xvfb-run, and -platform xcb.
    void screenReadersAreToldOfChanges()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the AT-SPI bridge of a desktop session");
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 3000);
        g_events.clear();
        QAccessible::installUpdateHandler(recordEvent);
        const auto uninstall = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr); });
        answerAllNo();
        const bool focusTold = g_events.contains({f->find("te1"), QAccessible::Focus});
        QVERIFY(focusTold);

        g_events.clear();
        f->button("clearAllButton")->click();
        // A screen reader that keeps what it last read must hear that a value went.
        QStringList untold;
        for (const char* name :
             {"te1", "synthesisTypeValue", "detailsTypeValue", "wingValue", "chargePointValue", "dischargePointValue",
              "passionValue", "antidoteValue", "evolutionValue1", "evolutionValue2", "qualityTypeValue",
              "pitfallTypeValue", "pitfallValue", "challengeTypeValue", "challengeValue", "allergyTypeValue",
              "detailsFigureNumbers", "interactionFigureNumbers"}) {
            if (!g_events.contains({f->find(name), QAccessible::NameChanged}))
                untold << name;
        }
        QVERIFY2(untold.isEmpty(), qPrintable(untold.join(", ")));
    }

    void theListsOfTheQuadrantReadTheirChoice()
    {
        answerAllNo();
        auto* quality = f->find<QComboBox>("qualityCombo");
        auto* allergy = f->find<QComboBox>("allergyCombo");
        // A list is labelled by the caption of its box, the way screen readers on Linux look for it.
        const auto labelledBy = [](QWidget* list) {
            QStringList labels;
            const auto relations = QAccessible::queryAccessibleInterface(list)->relations(QAccessible::Label);
            for (const auto& relation : relations)
                labels << relation.first->text(QAccessible::Name);
            return labels;
        };
        QCOMPARE(labelledBy(quality), QStringList{"Qualité"});
        QCOMPARE(spoken(quality, QAccessible::Value), QStringLiteral("A l'écoute"));
        QCOMPARE(labelledBy(allergy), QStringList{"Allergie"});
        QCOMPARE(spoken(allergy, QAccessible::Value), QStringLiteral("Revendicateur"));
        allergy->setCurrentIndex(2);
        QCOMPARE(spoken(quality, QAccessible::Value), QStringLiteral("Médiateur"));
        QCOMPARE(spoken(f->find("pitfallValue")), QStringLiteral("Piège\u00a0: Sans avis"));
        QCOMPARE(spoken(f->find("challengeTypeValue")), QStringLiteral("Défi\u00a0: Type Ennéagramme 3"));
        QCOMPARE(spoken(f->find("allergyTypeValue")), QStringLiteral("Allergie\u00a0: Type Ennéagramme 3"));
    }

    void everyShownValueIsReadAfterTheQuestionnaire()
    {
        f->field("firstNameField")->setText("Anne");
        answerAllNo();
        f->field("te2")->setText("9");
        f->button("interactionComputeButton")->click();
        QCOMPARE(spoken(f->find("interactionKeywordLabel")), QStringLiteral("Résultante\u00a0: Pacifisme"));
        const QStringList unread = unreadTexts();
        QVERIFY2(unread.isEmpty(), qPrintable(unread.join("\n")));
    }

    void aReopenedPersonIsRead()
    {
        reopenFirstPerson("\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n");
        // Before "Calculer" only the strip holds the person; the pages read as empty.
        QCOMPARE(spoken(f->find("te1")), QStringLiteral("Type Ennéagramme\u00a0: 5, aile\u00a0: 4"));
        QCOMPARE(spoken(f->find("passionValue")), QStringLiteral("Passion\u00a0: vide"));

        f->button("computeButton")->click();
        QCOMPARE(spoken(f->find("detailsTypeValue")), QStringLiteral("Type Ennéagramme\u00a0: 5"));
        QCOMPARE(spoken(f->find("wingValue")), QStringLiteral("Aile\u00a0: 4"));
        QCOMPARE(spoken(f->find("passionValue")), QStringLiteral("Passion\u00a0: Avarice"));
        QCOMPARE(
            spoken(f->find("profil")),
            QStringLiteral("Profil\u00a0: 3 pour le type 1, 6 pour le type 2, 1 pour le type 3, 7 pour le type 4, "
                           "9 pour le type 5, 2 pour le type 6, 4 pour le type 7, 5 pour le type 8, 0 pour le type 9"));
        const QStringList unread = unreadTexts();
        QVERIFY2(unread.isEmpty(), qPrintable(unread.join("\n")));
    }

    void theEndOfTheQuestionnaireIsAnnounced()
    {
        f->button("questionnaireButton")->setFocus();
        answerAllNo();
        // A screen reader says what takes the focus.
        QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(f->window.get())->focusChild();
        QVERIFY(focused);
        QCOMPARE(focused->text(QAccessible::Name), QStringLiteral("Type Ennéagramme\u00a0: 9, ailes\u00a0: 8 et 1"));
        QVERIFY(focused->state().focusable);

        // Tab then goes on from the type as it always did, and the type is never reached by Tab.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->button("computeButton"));
    }

    void aCancelledQuestionnaireLeavesTheFocus()
    {
        f->button("questionnaireButton")->setFocus();
        f->answerEvery(MessageAnswer::Cancel, 1);
        f->button("questionnaireButton")->click();
        QCOMPARE(QApplication::focusWidget(), f->button("questionnaireButton"));
    }

    void tabOrderIsUnchanged()
    {
        const QStringList expected = {"lastNameField", "computeButton",       "clearAllButton",
                                      "mainTabs",      "questionnaireButton", "firstNameField"};
        f->field("firstNameField")->setFocus();
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            visited << (qobject_cast<QTabBar*>(w) ? w->parentWidget()->objectName() : w->objectName());
        }
        QCOMPARE(visited, expected);
    }

    void enterOrSpacePressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void enterOrSpacePressesTheFocusedButton()
    {
        QFETCH(int, key);
        f->field("firstNameField")->setText("Anne");
        f->field("partnerLastNameField")->setText("Martin");
        // The default button is now the questionnaire; the focused button must win over it.
        tabTo("clearAllButton");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(f->field("firstNameField")->text().isEmpty());
        QVERIFY(f->field("partnerLastNameField")->text().isEmpty());
        QVERIFY(f->messages.transcript.isEmpty());
    }

    void enterElsewherePressesTheDefaultButton_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("in a name field") << "lastNameField";
        QTest::newRow("on the tabs") << "mainTabs";
        QTest::newRow("on the list of qualities") << "qualityCombo";
        QTest::newRow("on the announced type") << "te1";
    }

    void enterElsewherePressesTheDefaultButton()
    {
        QFETCH(QString, focus);
        f->computeFrom("4", "0", "5");
        f->field("firstNameField")->setText("Anne"); // "Calculer" becomes the default
        f->label("te1")->setText("12");
        auto* tabs = f->find<QTabWidget>("mainTabs");
        if (focus == "qualityCombo")
            tabs->setCurrentIndex(2);
        QWidget* target = focus == "mainTabs" ? tabs->tabBar() : f->find(focus);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        f->answerEvery(MessageAnswer::Ok, 1);
        QTest::keyClick(target, Qt::Key_Return);
        // "Calculer" ran once: it refused the type in the strip.
        QCOMPARE(f->messages.texts(), QStringList{"Le type Ennéagramme doit être compris entre 1 et 9"});
    }

    void enterWithoutDefaultButtonDoesNothing()
    {
        f->find<QTabWidget>("mainTabs")->tabBar()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(f->messages.transcript.isEmpty());
        QCOMPARE(f->window->defaultButton(), nullptr);
    }

    void enterPressesTheInterpretationWindowsButton()
    {
        f->computeFrom("4", "0", "5");
        f->button("synthesisButton")->click();
        InterpretationWindow* window = f->window->interpretationWindow();
        QVERIFY(window);
        auto* print = window->findChild<QPushButton*>("interpretationPrintButton");
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        print->setFocus();
        QTest::keyClick(print, Qt::Key_Return);
        QCOMPARE(f->printer.printed.size(), 1);
        window->close();
    }

    void f1OpensTheHelp_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("from a name field") << "firstNameField";
        QTest::newRow("from a button") << "clearAllButton";
    }

    void f1OpensTheHelp()
    {
        QFETCH(QString, focus);
        QCOMPARE(f->window->findChild<QAction*>("m_aide2")->shortcut(), QKeySequence(Qt::Key_F1));
        f->find(focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(f->window->helpWindow());
        QVERIFY(f->window->helpWindow()->isVisible());
        QVERIFY(f->field("firstNameField")->text().isEmpty()); // F1 typed nothing
        f->window->helpWindow()->close();
    }

    void namesBeginWithTheVisibleCaption()
    {
        QList<QAbstractButton*> buttons = f->window->findChildren<QAbstractButton*>();
        f->answerEvery(MessageAnswer::Ok, 1);
        OpenPersonDialog dialog(f->dataFolder(), f->messages, f->window.get()); // no file: one box, answered OK
        QCOMPARE(f->messages.texts(), QStringList{"Pas de données enregistrées"});
        buttons += dialog.findChildren<QAbstractButton*>();
        QStringList wrong;
        for (QAbstractButton* button : buttons) {
            QString caption = button->text().remove(u'&');
            if (caption.startsWith("-> "))
                caption = caption.mid(3);
            if (!caption.isEmpty() && !spoken(button).startsWith(caption))
                wrong << caption + " named « " + spoken(button) + " »";
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
        QCOMPARE(spoken(dialog.findChild<QPushButton*>("toUserButton")), QStringLiteral("Vous"));
        QCOMPARE(spoken(dialog.findChild<QPushButton*>("toPartnerButton")), QStringLiteral("Partenaire"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

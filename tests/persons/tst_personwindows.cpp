#include "MainWindowTest.h"
#include "persons/OpenPersonDialog.h"
#include "persons/PersonDirectory.h"

#include <QAccessible>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

// The open-person window is modal: a timer acts on it once it is shown.
class TestPersonWindows : public MainWindowTest
{
    Q_OBJECT

    void writeDirectory(const QByteArray& content)
    {
        QFile file(directoryFilePath(f->dataFolder()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray directoryBytes() const
    {
        QFile file(directoryFilePath(f->dataFolder()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Opens "Ouvrir...", lets `act` work on the dialog, returns what the list showed.
    QStringList openWith(const std::function<void(OpenPersonDialog*)>& act)
    {
        QStringList shown;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<OpenPersonDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* list = dialog->findChild<QListView*>("personList");
            for (int i = 0; i < list->model()->rowCount(); ++i)
                shown << list->model()->index(i, 0).data().toString();
            act(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        f->window->findChild<QAction*>("m_ouvrir")->trigger();
        return shown;
    }
    static void pick(OpenPersonDialog* dialog, int row, const char* button)
    {
        auto* list = dialog->findChild<QListView*>("personList");
        list->setCurrentIndex(list->model()->index(row, 0));
        dialog->findChild<QPushButton*>(button)->click();
    }

private slots:
    void saveThenReopenRestoresThePerson()
    {
        f->field("firstNameField")->setText("  Anne ");
        f->field("lastNameField")->setText("Durand");
        f->computeFrom(" 5", " 4", " 0", Scores{0, 3, 6, 1, 7, 9, 2, 4, 5, 0});
        f->field("partnerFirstNameField")->setText("Luc");
        f->field("partnerLastNameField")->setText("Martin");
        f->field("te2")->setText("3");
        f->window->findChild<QAction*>("m_enregistrer")->trigger();
        QCOMPARE(directoryBytes(), QByteArray("\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n"
                                              "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n"));

        f->button("clearAllButton")->click();
        const QStringList shown = openWith([](OpenPersonDialog* d) { pick(d, 0, "toUserButton"); });
        QCOMPARE(shown, (QStringList{"Durand;Anne;5;4;0;361792450", "Martin;Luc;3;;;"}));
        QCOMPARE(f->field("firstNameField")->text(), QStringLiteral("Anne"));
        QCOMPARE(f->text("te1"), QStringLiteral("5"));
        QVERIFY(f->text("synthesisTypeValue").isEmpty()); // shown only after "Calculer"
        f->button("computeButton")->click();
        QCOMPARE(f->text("wingValue"), QStringLiteral("4"));
        QCOMPARE(f->window->state().scores[5], qint16(9));

        openWith([](OpenPersonDialog* d) { pick(d, 0, "toPartnerButton"); });
        QCOMPARE(f->field("partnerLastNameField")->text(), QStringLiteral("Durand"));
        QCOMPARE(f->field("te2")->text(), QStringLiteral("5"));
        QCOMPARE(f->text("synthesisTypeValue"), QStringLiteral("5")); // the user's line is untouched
    }

    void partnerRecordReopenedAsTheUser()
    {
        f->computeFrom("2", "0", "0", Scores{0, 0, 4, 0, 0, 0, 0, 0, 0, 0});
        writeDirectory("\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n");
        f->field("partnerFirstNameField")->setText("X");
        openWith([](OpenPersonDialog* d) { pick(d, 0, "toUserButton"); });
        QCOMPARE(f->field("lastNameField")->text(), QStringLiteral("Martin"));
        QVERIFY(f->text("aile1").isEmpty());
        QCOMPARE(f->window->state().scores, Scores{});
        QVERIFY(f->field("partnerFirstNameField")->text().isEmpty());
    }

    void noDirectoryFile()
    {
        f->answerEvery(MessageAnswer::Ok, 1);
        openWith([](OpenPersonDialog* d) {
            QVERIFY(!d->findChild<QPushButton*>("toUserButton")->isEnabled());
            QVERIFY(!d->findChild<QPushButton*>("toPartnerButton")->isEnabled());
        });
        compareOnlyBox(f->messages, {QStringLiteral("Pas de données enregistrées"), QStringLiteral("Erreur"),
                                     MessageButtons::Ok, MessageIcon::Exclamation});
    }

    void noSelectionJustCloses()
    {
        writeDirectory("");
        f->field("firstNameField")->setText("Anne");
        openWith([](OpenPersonDialog* d) {
            QVERIFY(d->findChild<QPushButton*>("toUserButton")->isEnabled());
            d->findChild<QPushButton*>("toUserButton")->click();
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(f->field("firstNameField")->text(), QStringLiteral("Anne"));
        QVERIFY(f->messages.transcript.isEmpty());
    }

    void enterOnAFocusedButtonPressesIt()
    {
        writeDirectory("\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n");
        openWith([](OpenPersonDialog* d) {
            auto* list = d->findChild<QListView*>("personList");
            list->setCurrentIndex(list->model()->index(0, 0));
            auto* button = d->findChild<QPushButton*>("toPartnerButton");
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);
        });
        QCOMPARE(f->field("partnerLastNameField")->text(), QStringLiteral("Martin"));
    }

    void doubleClickReopensAsTheUser()
    {
        writeDirectory("\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n");
        openWith([](OpenPersonDialog* d) {
            auto* list = d->findChild<QListView*>("personList");
            const QPoint centre = list->visualRect(list->model()->index(0, 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        });
        QCOMPARE(f->field("lastNameField")->text(), QStringLiteral("Martin"));
    }

    void invalidLineIsReportedAndEarlierRecordsShown_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("ending");
        QTest::newRow("broken second line")
            << QByteArray("\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\n\"broken\n\"C\",\"D\",\"\",\"\",\"\",\"\"\n")
            << QStringList{"A;B;1;0;2;900000000"} << "La ligne 2 du fichier des personnes"
            << ". Cette ligne et les suivantes ne sont pas affichées.";
        // A wrong encoding is the whole file's fault: no line is named, and nobody is listed.
        QTest::newRow("file in UTF-16") << QByteArray("\xFF\xFE\"\0A\0\"\0", 8) << QStringList{}
                                        << "Le fichier des personnes"
                                        << "(ANSI). Aucune personne n'est affichée.";
    }
    void invalidLineIsReportedAndEarlierRecordsShown()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, shown);
        QFETCH(QString, opening);
        QFETCH(QString, ending);
        writeDirectory(content);
        f->answerEvery(MessageAnswer::Ok, 1);
        QCOMPARE(openWith([](OpenPersonDialog*) {}), shown);
        QCOMPARE(f->messages.transcript.size(), 1);
        const QString text = f->messages.transcript[0].request.text;
        QVERIFY2(text.startsWith(opening), qPrintable(text));
        QVERIFY2(text.endsWith(ending), qPrintable(text));
    }

    // Text from the file is shown as typed, never as markup: no red giant "8", no image loaded from the disk.
    void markupFromTheFileIsShownLiterally()
    {
        const QString markup = QStringLiteral("<font color=red size=7>8</font><img src=/etc/x.png>");
        writeDirectory("\"<b>Du</b>\",\"Anne\",\"" + markup.toLatin1() + "\",\"\",\"\",\"\"\r\n");
        openWith([](OpenPersonDialog* d) { pick(d, 0, "toUserButton"); });
        for (const char* name : {"te1", "aile1", "aile2"}) {
            auto* label = f->window->findChild<QLabel*>(name);
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
        QCOMPARE(f->text("te1"), markup);
        f->answerEvery(MessageAnswer::Ok, 1);
        f->button("computeButton")->click();
        QCOMPARE(f->messages.texts(), QStringList{"Le type Ennéagramme doit être compris entre 1 et 9"});
        for (QLabel* label : f->window->findChildren<QLabel*>())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName() + " " + label->text()));
    }

    // A pipe where the directory file should be is reported at once instead of hanging the window.
    void pipeAsTheDirectoryIsReported()
    {
#ifndef Q_OS_UNIX
        QSKIP("a named pipe in a folder is a Unix facility");
#else
        QCOMPARE(mkfifo(QFile::encodeName(directoryFilePath(f->dataFolder())).constData(), 0600), 0);
        f->answerEvery(MessageAnswer::Ok, 1);
        const QStringList shown = openWith([](OpenPersonDialog*) {});
        QVERIFY(shown.isEmpty());
        QCOMPARE(f->messages.texts().size(), 1);
        QVERIFY2(f->messages.texts()[0].contains("ce n'est pas un fichier ordinaire"),
                 qPrintable(f->messages.texts()[0]));
#endif
    }

    void entryWithMoreThanSixFieldsIsNotCopied()
    {
        writeDirectory("\"Du;rand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n");
        f->field("firstNameField")->setText("Zoé");
        f->answerEvery(MessageAnswer::Ok, 1);
        openWith([](OpenPersonDialog* d) {
            pick(d, 0, "toUserButton");
            QVERIFY(d->isVisible());
        });
        QCOMPARE(f->field("firstNameField")->text(), QStringLiteral("Zoé"));
        QCOMPARE(f->messages.transcript.size(), 1);
        QVERIFY(f->messages.transcript[0].request.text.contains("«\u00a0;\u00a0»"));
    }

    // A field holds at most 32,767 characters: a longer stored text is refused, never cut into another person.
    void overlongStoredTextIsNotTakenBack_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("longField"); // last name, first name, type
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("refusal"); // empty: taken back whole
        const QString refusal = u"Cette personne ne peut pas être reprise\u00a0: %1 compte plus de 32\u00a0767 "
                                u"caractères, ce qu'un champ ne peut pas contenir."_s;
        QTest::newRow("-> Vous, last name") << u"toUserButton"_s << 0 << 32768 << refusal.arg(u"son nom"_s);
        QTest::newRow("-> Partenaire, first name")
            << u"toPartnerButton"_s << 1 << 40000 << refusal.arg(u"son prénom"_s);
        QTest::newRow("-> Partenaire, type") << u"toPartnerButton"_s << 2 << 32768 << refusal.arg(u"son type"_s);
        QTest::newRow("-> Vous, last name as long as a field") << u"toUserButton"_s << 0 << 32767 << QString();
    }
    void overlongStoredTextIsNotTakenBack()
    {
        QFETCH(QString, button);
        QFETCH(int, longField);
        QFETCH(int, length);
        QFETCH(QString, refusal);
        QByteArrayList fields{"Martin", "Luc", "3"};
        fields[longField] = QByteArray(length, 'x');
        writeDirectory('"' + fields.join("\",\"") + "\",\"\",\"\",\"\"\r\n");
        if (!refusal.isEmpty())
            f->answerEvery(MessageAnswer::Ok, 1);
        openWith([&](OpenPersonDialog* d) {
            pick(d, 0, qPrintable(button));
            QCOMPARE(d->isVisible(), !refusal.isEmpty());
        });
        if (refusal.isEmpty()) {
            QCOMPARE(f->field(u"lastNameField"_s)->text().size(), length);
            QVERIFY(f->messages.transcript.isEmpty());
            return;
        }
        QCOMPARE(f->messages.texts(), QStringList{refusal});
        for (const char* name :
             {"lastNameField", "firstNameField", "partnerLastNameField", "partnerFirstNameField", "te2"})
            QVERIFY2(f->field(QLatin1String(name))->text().isEmpty(), name);
    }

    // An accent typed or pasted as a separate combining character is joined to its letter at once, so that the name
    // is saved as the user reads it instead of being refused.
    void namesAreComposedAsTypedOrPasted()
    {
        QTest::keyClicks(f->field(u"firstNameField"_s), u"Zoe"_s);
        QTest::sendKeyEvent(QTest::Click, f->field(u"firstNameField"_s), Qt::Key_unknown, u"\u0301"_s, {});
        QTest::keyClicks(f->field(u"firstNameField"_s), u"!"_s);
        QCOMPARE(f->field(u"firstNameField"_s)->text(), u"Zo\u00e9!"_s);
        QApplication::clipboard()->setText(u"Lefe\u0300vre"_s);
        f->field(u"lastNameField"_s)->setText(u"Ma"_s);
        f->field(u"lastNameField"_s)->setCursorPosition(1);
        f->field(u"lastNameField"_s)->paste();
        QCOMPARE(f->field(u"lastNameField"_s)->text(), u"MLef\u00e8vrea"_s);
        QCOMPARE(f->field(u"lastNameField"_s)->cursorPosition(), 8);
        f->window->findChild<QAction*>(u"m_enregistrer"_s)->trigger();
        QVERIFY2(directoryBytes().startsWith("\"MLef\xE8vrea\",\"Zo\xE9!\","), directoryBytes().constData());
    }

    void refusedSaveFocusesTheField()
    {
        const QByteArray original = "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n";
        writeDirectory(original);
        f->field("firstNameField")->setText("Anne");
        f->field("lastNameField")->setText("Du\"rand");
        f->answerEvery(MessageAnswer::Ok, 1);
        f->window->findChild<QAction*>("m_enregistrer")->trigger();
        QCOMPARE(f->messages.transcript.size(), 1);
        QVERIFY(f->messages.transcript[0].request.text.contains("«\u00a0Nom\u00a0»"));
        QCOMPARE(QApplication::focusWidget(), f->field("lastNameField"));
        QCOMPARE(directoryBytes(), original);
    }

    // A row can be current (the focus frame) without being selected: "-> Vous" and "-> Partenaire" then copy nothing.
    void currentButUnselectedRowIsNotCopied_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("-> Vous") << u"toUserButton"_s;
        QTest::newRow("-> Partenaire") << u"toPartnerButton"_s;
    }
    void currentButUnselectedRowIsNotCopied()
    {
        QFETCH(QString, button);
        writeDirectory("\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n");
        f->field(u"firstNameField"_s)->setText(u"Anne"_s);
        bool closed = false;
        openWith([&](OpenPersonDialog* d) {
            auto* list = d->findChild<QListView*>(u"personList"_s);
            list->setCurrentIndex(list->model()->index(0, 0));
            list->clearSelection();
            QCOMPARE(list->currentIndex().row(), 0);
            d->findChild<QPushButton*>(button)->click();
            closed = !d->isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(f->field(u"firstNameField"_s)->text(), u"Anne"_s);
        QVERIFY(f->field(u"lastNameField"_s)->text().isEmpty());
        QVERIFY(f->field(u"partnerLastNameField"_s)->text().isEmpty());
        QVERIFY(f->field(u"te2"_s)->text().isEmpty());
        QVERIFY(f->messages.transcript.isEmpty());
    }

    // A name or type that cannot be stored is refused, and the focus goes to the field that holds it.
    void refusedSaveFocusesTheFieldAtFault_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("tab");
        QTest::newRow("your last name") << u"lastNameField"_s << 0;
        QTest::newRow("your first name") << u"firstNameField"_s << 0;
        QTest::newRow("partner's last name") << u"partnerLastNameField"_s << 3;
        QTest::newRow("partner's first name") << u"partnerFirstNameField"_s << 3;
        QTest::newRow("partner's type") << u"te2"_s << 3;
    }
    void refusedSaveFocusesTheFieldAtFault()
    {
        QFETCH(QString, field);
        QFETCH(int, tab);
        f->field(u"firstNameField"_s)->setText(u"Anne"_s);
        f->field(u"lastNameField"_s)->setText(u"Durand"_s);
        f->field(u"partnerFirstNameField"_s)->setText(u"Luc"_s);
        f->field(u"partnerLastNameField"_s)->setText(u"Martin"_s);
        f->field(u"te2"_s)->setText(u"3"_s);
        f->field(field)->setText(f->field(field)->text() + u'"');
        f->button(u"clearAllButton"_s)->setFocus();
        f->answerEvery(MessageAnswer::Ok, 1);
        f->window->findChild<QAction*>(u"m_enregistrer"_s)->trigger();
        QCOMPARE(f->messages.transcript.size(), 1);
        QCOMPARE(QApplication::focusWidget(), f->field(field));
        QCOMPARE(f->find<QTabWidget>(u"mainTabs"_s)->currentIndex(), tab);
        QVERIFY(!QFile::exists(directoryFilePath(f->dataFolder())));
    }

    void replacingAsksFirst()
    {
        writeDirectory("\"Durand\",\"Anne\",\"1\",\"0\",\"2\",\"900000000\"\r\n");
        f->field("firstNameField")->setText("Anne");
        f->field("lastNameField")->setText("Durand");
        f->messages.answers.enqueue(MessageAnswer::No);
        f->window->savePersons();
        compareOnlyBox(f->messages, {QStringLiteral("Anne Durand a déjà été enregistré, modifier ?"),
                                     QStringLiteral("Attention"), MessageButtons::YesNo, MessageIcon::Question});
        QCOMPARE(directoryBytes(), QByteArray("\"Durand\",\"Anne\",\"1\",\"0\",\"2\",\"900000000\"\r\n"));
    }

    // The search keeps the persons whose names hold every word typed; the buttons and Enter take the person chosen
    // among those shown, not the one at the same row of the whole file.
    void searchFieldFiltersTheList()
    {
        writeDirectory("\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n"
                       "\"Martin\",\"\xC9lo\xEFse\",\"7\",\"6\",\"8\",\"000000000\"\r\n"
                       "\"DURANDEAU\",\"Marc\",\"3\",\"\",\"\",\"\"\r\n");
        QStringList filtered;
        openWith([&](OpenPersonDialog* d) {
            auto* list = d->findChild<QListView*>(u"personList"_s);
            auto* search = d->findChild<QLineEdit*>(u"searchField"_s);
            QApplication::setActiveWindow(d); // shortcuts work in the active window only
            QCOMPARE(d->focusWidget(), list);
            QCOMPARE(search->placeholderText(), u"Rechercher un nom"_s);
            QCOMPARE(QAccessible::queryAccessibleInterface(search)->text(QAccessible::Name), u"Rechercher"_s);
            QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(d->focusWidget(), search);
            QTest::keyClicks(search, u"dur"_s);
            for (int i = 0; i < list->model()->rowCount(); ++i)
                filtered << list->model()->index(i, 0).data().toString();
            list->setCurrentIndex(list->model()->index(1, 0));
            QTest::keyClicks(search, u"and"_s);
            QTest::keyClick(search, Qt::Key_Return); // two persons left: Enter takes nobody
            QVERIFY(d->isVisible());
            d->findChild<QPushButton*>(u"toPartnerButton"_s)->click();
        });
        QCOMPARE(filtered, (QStringList{u"Durand;Anne;5;4;0;361792450"_s, u"DURANDEAU;Marc;3;;;"_s}));
        QCOMPARE(f->field(u"partnerLastNameField"_s)->text(), u"DURANDEAU"_s);

        openWith([](OpenPersonDialog* d) {
            QTest::keyClicks(d->findChild<QLineEdit*>(u"searchField"_s), u"ELO"_s);
            QTest::keyClick(d->findChild<QLineEdit*>(u"searchField"_s), Qt::Key_Enter);
        });
        QCOMPARE(f->field(u"firstNameField"_s)->text(), u"Éloïse"_s);
        QCOMPARE(f->text(u"te1"_s), u"7"_s);
    }

    // Tab goes from the search field to the list, then to the buttons, in the window's own order.
    void tabOrder()
    {
        writeDirectory("\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n");
        QStringList visited;
        openWith([&](OpenPersonDialog* d) {
            auto* list = d->findChild<QListView*>(u"personList"_s);
            list->setCurrentIndex(list->model()->index(0, 0)); // "Supprimer" takes the focus only when enabled
            d->findChild<QLineEdit*>(u"searchField"_s)->setFocus();
            for (int i = 0; i < 6; ++i) {
                visited << d->focusWidget()->objectName();
                QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
            }
        });
        QCOMPARE(visited, (QStringList{u"searchField"_s, u"personList"_s, u"abandonButton"_s, u"toUserButton"_s,
                                       u"toPartnerButton"_s, u"eraseButton"_s}));
    }

    // The window's controls at their twips, the older ones moved down together by the search field's row; none
    // covers another, and each caption fits its button.
    void controlsSitAtTheirTwips()
    {
        f->answerEvery(MessageAnswer::Ok, 1);
        OpenPersonDialog dialog(f->dataFolder(), f->messages, f->window.get());
        const auto px = [](int twips) { return qRound(twips / 15.0); };
        QCOMPARE(dialog.size(), QSize(px(4830), px(3570)));
        const QList<std::pair<QString, QRect>> expected{
            {u"searchField"_s, {120, 180, 3135, 285}},   {u"personList"_s, {120, 600, 3135, 2790}},
            {u"toUserButton"_s, {3480, 600, 1215, 375}}, {u"toPartnerButton"_s, {3480, 1140, 1215, 375}},
            {u"eraseButton"_s, {3480, 2220, 1215, 375}}, {u"abandonButton"_s, {3540, 3060, 1215, 375}}};
        QList<QRect> placed;
        for (const auto& [name, twips] : expected) {
            auto* widget = dialog.findChild<QWidget*>(name);
            QVERIFY2(widget, qPrintable(name));
            const QRect pixels(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
            QCOMPARE(widget->geometry(), pixels);
            for (const QRect& other : std::as_const(placed))
                QVERIFY2(!other.intersects(pixels), qPrintable(name));
            placed << pixels;
            if (auto* button = qobject_cast<QPushButton*>(widget))
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) < button->width(), qPrintable(name));
        }
    }

    // "Supprimer" asks first; "Non" keeps everything, "Oui" erases from both files and the list shows the rest.
    void eraseAsksThenUpdatesTheList()
    {
        const QByteArray anne = "\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n";
        const QByteArray luc = "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n";
        writeDirectory(luc + anne);
        QFile backup(backupFilePath(f->dataFolder()));
        QVERIFY(backup.open(QIODevice::WriteOnly));
        backup.write(anne);
        backup.close();
        f->messages.answers.enqueue(MessageAnswer::No);
        f->messages.answers.enqueue(MessageAnswer::Yes);
        QStringList after;
        openWith([&](OpenPersonDialog* d) {
            auto* list = d->findChild<QListView*>(u"personList"_s);
            auto* erase = d->findChild<QPushButton*>(u"eraseButton"_s);
            QVERIFY(!erase->isEnabled());
            QTest::keyClicks(d->findChild<QLineEdit*>(u"searchField"_s), u"anne"_s);
            list->setCurrentIndex(list->model()->index(0, 0));
            QVERIFY(erase->isEnabled());
            erase->click();
            QCOMPARE(list->model()->rowCount(), 1);
            erase->click();
            QVERIFY(!erase->isEnabled());
            QVERIFY(d->isVisible());
            d->findChild<QLineEdit*>(u"searchField"_s)->clear();
            for (int i = 0; i < list->model()->rowCount(); ++i)
                after << list->model()->index(i, 0).data().toString();
        });
        QCOMPARE(f->messages.transcript.size(), 2);
        const MessageRequest& box = f->messages.transcript[1].request;
        QCOMPARE(box.text, u"Supprimer définitivement Anne Durand du fichier des personnes ?"_s);
        QCOMPARE(box.title, u"Attention"_s);
        QCOMPARE(box.buttons, MessageButtons::YesNo);
        QCOMPARE(box.icon, MessageIcon::Question);
        QCOMPARE(box.defaultButton, MessageAnswer::No);
        QCOMPARE(after, QStringList{u"Martin;Luc;3;;;"_s});
        QCOMPARE(directoryBytes(), luc);
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QVERIFY(backup.readAll().isEmpty());
    }

    void themePrinting()
    {
        f->answerEvery(MessageAnswer::Ok, 1);
        f->window->printTheme();
        QCOMPARE(f->messages.texts(), QStringList{"Merci d'effectuer d'abord les calculs"});
        QVERIFY(f->printer.printed.isEmpty());

        f->field("firstNameField")->setText("Anne");
        f->field("lastNameField")->setText("Durand");
        f->computeFrom("4", "3", "5");
        f->window->findChild<QAction*>("m_imprimer2")->trigger();
        QCOMPARE(f->printer.printed.size(), 1);
        // The theme's wording is pinned on its own; here: the names and values the window shows reach the printer.
        QVERIFY(f->printer.printed[0].startsWith("[Psyche Rondo]\t\t\tDescriptif Ennéagramme de Anne Durand\t\r\n"));
        QVERIFY(f->printer.printed[0].contains("\r\nAile : 3 / 5\r\nPoint de charge : 2\r\n"));
        QCOMPARE(f->printer.fonts[0].pointSizeF(), 9.75);

        // After "Effacer tout" the active type still allows printing, with empty values.
        f->button("clearAllButton")->click();
        f->field("firstNameField")->setText("Anne");
        f->printer.outcome = PrintOutcome::Cancelled;
        f->window->printTheme();
        QVERIFY(f->printer.printed[1].contains("Voie d'évolution :  et \r\n\r\n"));
        QCOMPARE(f->messages.transcript.size(), 1);

        f->printer.outcome = PrintOutcome::Failed;
        f->answerEvery(MessageAnswer::Ok, 1);
        f->window->printTheme();
        QCOMPARE(f->messages.texts().last(), QStringLiteral("L'impression a échoué."));
    }
};

QTEST_MAIN(TestPersonWindows)
#include "tst_personwindows.moc"

#include "MainWindowTest.h"

#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The output of a poppler tool, or nothing when it is missing or fails.
QString poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Without spaces and hyphens: line breaks fall between words in the PDF, and a reader joins a word broken after its
// hyphen ("au-dehors" read back as "audehors").
QString comparable(QString text)
{
    return text.remove(QRegularExpression(u"[\\s-]+"_s, QRegularExpression::UseUnicodePropertiesOption));
}

} // namespace

class TestReport : public MainWindowTest
{
    Q_OBJECT

    QAction* item(const char* name) const { return f->window->findChild<QAction*>(QLatin1String(name)); }
    QAction* menu() const { return f->window->menuBar()->actions().at(1); }

    // The lines the interpretation window shows for the analysis of this button.
    QStringList shownLines(const QString& button) const
    {
        f->button(button)->click();
        QWidget* shown = f->window->interpretationWindow();
        if (!shown)
            return {};
        const QStringList lines = f->window->interpretationWindow()->text().split(u"\r\n"_s, Qt::SkipEmptyParts);
        shown->close();
        return lines;
    }

private slots:
    // The menu and both its items are enabled exactly when the "Interpréter" buttons are.
    void menuFollowsTheInterpretButtons_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("at start") << QString() << false;
        QTest::newRow("after Calculer") << u"calculer"_s << true;
        QTest::newRow("after the questionnaire") << u"questionnaire"_s << true;
        QTest::newRow("after Effacer tout") << u"calculer effacer"_s << false;
        QTest::newRow("Calculer again after Effacer tout") << u"calculer effacer calculer"_s << true;
    }
    void menuFollowsTheInterpretButtons()
    {
        QFETCH(QString, steps);
        QFETCH(bool, enabled);
        for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"calculer")
                f->computeFrom(u"4"_s, u"3"_s, u"5"_s);
            else if (step == u"effacer")
                f->button(u"clearAllButton"_s)->click();
            else {
                f->answerEvery(MessageAnswer::Yes);
                f->button(u"questionnaireButton"_s)->click();
            }
        }
        QCOMPARE(menu()->text(), u"&Interprétation"_s);
        QVERIFY(menu()->isVisible());
        QCOMPARE(f->button(u"synthesisButton"_s)->isEnabled(), enabled);
        QCOMPARE(menu()->isEnabled(), enabled);
        QCOMPARE(item("m_imprimer")->isEnabled(), enabled);
        QCOMPARE(item("m_exporter")->isEnabled(), enabled);
    }

    // Each shortcut opens its dialog, whatever control has the focus; cancelling it does nothing and says nothing.
    void shortcutsOpenTheDialogsAndCancelIsSilent_data()
    {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("printed");
        QTest::addColumn<int>("asked");
        QTest::newRow("Imprimer...") << u"Ctrl+I"_s << u"Imprimer..."_s << 1 << 0;
        QTest::newRow("Exporter...") << u"Ctrl+E"_s << u"Exporter..."_s << 0 << 1;
    }
    void shortcutsOpenTheDialogsAndCancelIsSilent()
    {
        QFETCH(QString, shortcut);
        QFETCH(QString, caption);
        QFETCH(int, printed);
        QFETCH(int, asked);
        const QString document = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QStringList before = QDir(document).entryList(QDir::Files);
        f->field(u"firstNameField"_s)->setText(u"Hélène"_s);
        f->field(u"lastNameField"_s)->setText(u"Lefèvre"_s);
        f->computeFrom(u"4"_s, u"3"_s, u"5"_s);
        f->printer.outcome = PrintOutcome::Cancelled;
        // Pressed while typing a name: a text field would keep Ctrl+E for the end of its line.
        QLineEdit* typing = f->field(u"firstNameField"_s);
        typing->setFocus();
        QAction* action = item(caption == u"Imprimer..." ? "m_imprimer" : "m_exporter");
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
        QTest::keySequence(typing, QKeySequence(shortcut));

        QCOMPARE(f->printer.printedDocuments.size(), printed);
        QCOMPARE(f->printer.saveDialogs.size(), asked);
        if (asked) {
            const FakePrintService::SaveDialog& dialog = f->printer.saveDialogs[0];
            QCOMPARE(dialog.suggestedPath, QDir(document).filePath(u"Psyche Rondo - Hélène Lefèvre.pdf"_s));
            QCOMPARE(dialog.filter, u"Documents PDF (*.pdf)"_s);
        }
        QVERIFY(f->messages.transcript.isEmpty());
        QCOMPARE(QDir(document).entryList(QDir::Files), before);
    }

    // The exported PDF read back as text: every page headed by the person and numbered, then the sections in order,
    // each with the lines its "Interpréter" shows, and the printout has the same pages.
    void exportedReportReadsAsText_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("wings"); // as the strip keeps them; the title page shows the active ones
        QTest::addColumn<QString>("nickname");
        QTest::addColumn<QList<int>>("scores");
        QTest::addColumn<QString>("partner");
        QTest::addColumn<QString>("clarity");
        const QStringList none{u"0"_s, u"0"_s};
        const QString four = u"Romantique, individualistes, artistes."_s;
        QTest::newRow("typed, clear result, with a partner")
            << u"4"_s << none << four << QList<int>{3, 5, 2, 8, 6, 1, 0, 4, 2} << u"1"_s << u"Résultat net"_s;
        QTest::newRow("typed, near tie, no partner")
            << u"4"_s << none << four << QList<int>{3, 5, 2, 7, 6, 1, 0, 4, 2} << QString()
            << u"Résultat à confirmer : les types 4 et 5 ont des scores proches"_s;
        QTest::newRow("both wings") << u"4"_s << QStringList{u"3"_s, u"5"_s} << four
                                    << QList<int>{3, 5, 2, 8, 6, 1, 0, 4, 2} << QString() << u"Résultat net"_s;
        QTest::newRow("reopened without a profile") << u"9"_s << none << u"Mediateurs, non-violents, préservateurs"_s
                                                    << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0} << QString() << QString();
    }
    void exportedReportReadsAsText()
    {
        QFETCH(QString, type);
        QFETCH(QStringList, wings);
        QFETCH(QString, nickname);
        QFETCH(QList<int>, scores);
        QFETCH(QString, partner);
        QFETCH(QString, clarity);
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF cannot be read back");

        f->field(u"firstNameField"_s)->setText(u"Hélène"_s);
        f->field(u"lastNameField"_s)->setText(u"Lefèvre"_s);
        Scores values{};
        for (int i = 1; i <= 9; ++i)
            values[i] = qint16(scores[i - 1]);
        f->computeFrom(type, wings[0], wings[1], values);
        if (!partner.isEmpty()) {
            f->field(u"te2"_s)->setText(partner);
            f->button(u"interactionComputeButton"_s)->click();
        }
        const QString path = f->dataDir.filePath(u"rapport.pdf"_s);
        f->printer.savePaths.enqueue(path);
        item("m_exporter")->trigger();
        QVERIFY2(f->messages.transcript.isEmpty(), qPrintable(f->messages.texts().join(u'\n')));

        const QString text = poppler(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, path, u"-"_s});
        QStringList pages = text.split(u'\f');
        pages.removeLast(); // after the last page's form feed
        QVERIFY(pages.size() >= 3);
        QString body; // the pages without their running title and number, so that paragraphs read on across pages
        for (int page = 1; page <= pages.size(); ++page) {
            QString shown = pages[page - 1];
            const QString number = u"page %1 / %2"_s.arg(page).arg(pages.size());
            QVERIFY2(shown.contains(number), qPrintable(shown));
            const QString title = u"Psyche Rondo - Hélène Lefèvre"_s;
            QVERIFY(shown.contains(title));
            shown.remove(number);
            shown.remove(shown.indexOf(title), title.size());
            body += shown;
        }
        const QString info = poppler(u"pdfinfo"_s, {path});
        QVERIFY2(info.contains(QRegularExpression(u"Title: +Psyche Rondo - Hélène Lefèvre\n"_s)), qPrintable(info));
        QVERIFY(info.contains(QRegularExpression(u"Creator: +Psyche Rondo\n"_s)));
        QVERIFY(info.contains(QRegularExpression(u"Page size: +595(\\.\\d+)? x 842(\\.\\d+)? pts \\(A4\\)"_s)));

        // Section by section, in order, each heading followed by the lines the window shows.
        const QString flat = comparable(body);
        qsizetype at = 0;
        const auto expect = [&](const QString& line) {
            const qsizetype found = flat.indexOf(comparable(line), at);
            if (found < 0)
                qWarning("not found after %lld: %s", qlonglong(at), qPrintable(line));
            at = found < 0 ? flat.size() + 1 : found + comparable(line).size();
            return found >= 0;
        };
        QVERIFY(expect(u"Psyche Rondo"_s));
        QVERIFY(expect(u"Hélène Lefèvre"_s));
        QVERIFY(expect(u"Type Ennéagramme : "_s + type));
        QVERIFY(expect(nickname));
        const bool hasWings = wings != QStringList{u"0"_s, u"0"_s};
        QCOMPARE(pages[0].contains(u"Aile"_s), hasWings); // the title page
        if (hasWings)
            QVERIFY(expect(u"Ailes : "_s + wings.join(u" / "_s))); // both wings in these rows
        QVERIFY(expect(u"Profil"_s));
        QCOMPARE(text.contains(u"Résultat"_s), !clarity.isEmpty());
        if (!clarity.isEmpty())
            QVERIFY(expect(clarity));
        QVERIFY(expect(u"Passion : "_s + f->text(u"passionValue"_s)));
        for (const auto& [heading, button] :
             {std::pair{u"Synthèse"_s, u"synthesisButton"_s}, std::pair{u"Détails"_s, u"detailsButton"_s},
              std::pair{u"Carré fondamental"_s, u"quadrantButton"_s}}) {
            QVERIFY(expect(heading));
            for (const QString& line : shownLines(button))
                QVERIFY(expect(line));
        }
        const QStringList interaction = shownLines(u"interactionButton"_s);
        QCOMPARE(interaction.isEmpty(), partner.isEmpty());
        QCOMPARE(text.contains(u"Interaction entre deux personnes"_s), !partner.isEmpty());
        if (!partner.isEmpty()) {
            QVERIFY(expect(u"Interaction entre deux personnes"_s));
            for (const QString& line : interaction)
                QVERIFY(expect(line));
        }

        item("m_imprimer")->trigger();
        QCOMPARE(f->printer.printedDocuments.size(), 1);
        QCOMPARE(f->printer.printedDocuments[0].pages, pages.size());
    }

    // A write that fails leaves no file and any earlier file as it was, and says which file and why.
    void failedExportKeepsTheEarlierFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("earlier");
        QTest::addColumn<int>("sizeLimit");
        QTest::addColumn<QString>("reason");
        QTest::newRow("target is a folder") << u"dossier"_s << false << 0 << u"c'est un dossier, pas un fichier"_s;
#ifdef Q_OS_WIN
        const QString notAFolder = u"le dossier n'existe pas"_s; // Windows does not tell a file from a missing folder
#else
        const QString notAFolder = u"un élément du chemin n'est pas un dossier"_s;
#endif
        QTest::newRow("inside a regular file") << u"fichier/rapport.pdf"_s << false << 0 << notAFolder;
        QTest::newRow("full disk, no earlier file")
            << u"rapport.pdf"_s << false << 20000
            << u"le fichier dépasse la taille permise (disque plein ou limite du système)"_s;
        QTest::newRow("full disk, an earlier file")
            << u"rapport.pdf"_s << true << 20000
            << u"le fichier dépasse la taille permise (disque plein ou limite du système)"_s;
    }
    void failedExportKeepsTheEarlierFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, earlier);
        QFETCH(int, sizeLimit);
        QFETCH(QString, reason);
#ifndef Q_OS_UNIX
        if (sizeLimit > 0)
            QSKIP("a full disk is simulated with setrlimit, a Unix facility");
#endif
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"dossier"_s));
        QFile regular(dir.filePath(u"fichier"_s));
        QVERIFY(regular.open(QIODevice::WriteOnly));
        regular.close();
        const QString path = dir.filePath(target);
        const QByteArray older = "%PDF-1.4 un rapport plus ancien";
        if (earlier) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(older);
        }
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        f->computeFrom(u"4"_s, u"3"_s, u"5"_s);
        f->printer.savePaths.enqueue(path);
        f->messages.answers.enqueue(MessageAnswer::Ok);

#ifdef Q_OS_UNIX
        rlimit saved = {};
        if (sizeLimit > 0) {
            signal(SIGXFSZ, SIG_IGN);
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit limited = saved;
            limited.rlim_cur = rlim_t(sizeLimit);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        }
#endif
        item("m_exporter")->trigger();
#ifdef Q_OS_UNIX
        if (sizeLimit > 0)
            setrlimit(RLIMIT_FSIZE, &saved);
#endif

        QCOMPARE(f->messages.texts(), QStringList{u"Le rapport «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2."_s.arg(
                                          QDir::toNativeSeparators(path), reason)});
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        if (earlier)
            QCOMPARE(bytesOf(path), older);
        else
            QVERIFY(!QFileInfo(path).isFile());
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"

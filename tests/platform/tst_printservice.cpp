#include "platform/PagedDocument.h"
#include "platform/PrintService.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

class TestPrintService : public QObject
{
    Q_OBJECT
private slots:
    // 200 lines and a last one whose characters appear nowhere else: the PDF has exactly the pages that text needs
    // on A4, and its font subset holds the last line's characters, so the text was printed to its end.
    void printsTheWholeTextToPdf()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        const QString path = dir.filePath(QStringLiteral("theme.pdf"));
        printer.setOutputFileName(path);
        QString text;
        for (int i = 0; i < 200; ++i)
            text += QStringLiteral("Ligne %1 : Ennéagramme, détente et évolution.\r\n").arg(i);
        text += QStringLiteral("Fin : @#\r\n");
        QCOMPARE(QtPrintService::printText(printer, text, QFont(QStringLiteral("DejaVu Sans"), 12)),
                 PrintOutcome::Printed);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF"));
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("/Type /Pages\\s[^>]*/Count (\\d+)")).match(QString::fromLatin1(content));
        QVERIFY(pages.hasMatch());
        QCOMPARE(pages.captured(1).toInt(), 5);
        // The text-to-Unicode table lists every character printed: "@" (U+0040) and "#" (U+0023).
        QVERIFY(content.contains("<0040>"));
        QVERIFY(content.contains("<0023>"));
    }

    // A document laid out on A4 prints on the paper the printer holds, every page whole: the last line of text and
    // the last page's number reach the paper, and a running title too long for the line is cut with "…".
    void printsAPagedDocumentOnAnyPaper_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shownTitle");
        QTest::newRow("A4") << int(QPageSize::A4) << QStringLiteral("Titre courant") << QStringLiteral("Titre courant");
        const QString longTitle = QStringLiteral("Psyche Rondo - Marie-Bérénice Éléonore de La Tour d'Auvergne-"
                                                 "Lauraguais et Saint-Exupéry-Montmorency-Laval Fin");
        QTest::newRow("Letter, long title")
            << int(QPageSize::Letter) << longTitle << QStringLiteral("Psyche Rondo - Marie-Bérénice Éléonore");
    }
    void printsAPagedDocumentOnAnyPaper()
    {
        QFETCH(int, paper);
        QFETCH(QString, title);
        QFETCH(QString, shownTitle);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the printout cannot be read back");
        QTextDocument document;
        paged::setUpA4(document);
        document.setMetaInformation(QTextDocument::DocumentTitle, title);
        QTextCursor cursor(&document);
        for (int i = 1; i <= 200; ++i)
            cursor.insertText(QStringLiteral("Ligne %1 : Ennéagramme, détente et évolution.\n").arg(i));
        cursor.insertText(QStringLiteral("Dernière ligne"));
        const int pages = document.pageCount();
        QVERIFY(pages > 1);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("document.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
        printer.setFullPage(true);
        printer.setOutputFileName(path);
        QVERIFY(paged::paint(document, printer));

        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QStringList printed = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
        QCOMPARE(printed.size(), pages + 1); // a form feed ends every page
        const QString last = printed[pages - 1];
        QVERIFY2(last.contains(QStringLiteral("Dernière ligne")), qPrintable(last));
        QVERIFY(last.contains(QStringLiteral("page %1 / %1").arg(pages)));
        QVERIFY2(last.contains(shownTitle), qPrintable(last));
        QCOMPARE(last.contains(u'…'), title != shownTitle);
        QCOMPARE(last.contains(QStringLiteral("Montmorency-Laval Fin")), false);
    }

    // Printing to a PDF file on a full disk: the earlier file stays as it was, and nothing is left beside it.
    void failedPdfFileLeavesTheEarlierOne_data()
    {
        QTest::addColumn<bool>("paged");
        QTest::newRow("text (the theme)") << false;
        QTest::newRow("paged document (the report)") << true;
    }
    void failedPdfFileLeavesTheEarlierOne()
    {
#ifndef Q_OS_UNIX
        QSKIP("a full disk is simulated with setrlimit, a Unix facility");
#else
        QFETCH(bool, paged);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rapport.pdf"));
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("%PDF earlier") == 12);
        earlier.close();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QTextDocument document;
        paged::setUpA4(document);
        QString text;
        for (int i = 1; i <= 200; ++i)
            text += QStringLiteral("Ligne %1 : Ennéagramme, détente et évolution.\r\n").arg(i);
        document.setPlainText(text);

        signal(SIGXFSZ, SIG_IGN);
        rlimit saved = {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const PrintOutcome outcome = paged ? QtPrintService::printDocumentOn(printer, document)
                                           : QtPrintService::printText(printer, text, QFont());
        setrlimit(RLIMIT_FSIZE, &saved);

        QCOMPARE(outcome, PrintOutcome::Failed);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("%PDF earlier"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("rapport.pdf")});
#endif
    }

    void unwritableTargetFails()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.path()); // a folder cannot receive the document
        QCOMPARE(QtPrintService::printText(printer, "Texte", QFont()), PrintOutcome::Failed);
    }
};

QTEST_MAIN(TestPrintService)
#include "tst_printservice.moc"

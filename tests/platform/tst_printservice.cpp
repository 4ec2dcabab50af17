#include "platform/PagedDocument.h"
#include "platform/PrintService.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

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
        QVERIFY(QtPrintService::printText(printer, text, QFont(QStringLiteral("DejaVu Sans"), 12)));
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
    // the last page's number reach the paper.
    void printsAPagedDocumentOnAnyPaper_data()
    {
        QTest::addColumn<int>("paper");
        QTest::newRow("A4") << int(QPageSize::A4);
        QTest::newRow("Letter") << int(QPageSize::Letter);
    }
    void printsAPagedDocumentOnAnyPaper()
    {
        QFETCH(int, paper);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the printout cannot be read back");
        QTextDocument document;
        paged::setUpA4(document);
        document.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Titre courant"));
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
        QVERIFY(last.contains(QStringLiteral("Titre courant")));
    }

    void unwritableTargetFails()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.path()); // a folder cannot receive the document
        QVERIFY(!QtPrintService::printText(printer, "Texte", QFont()));
    }
};

QTEST_MAIN(TestPrintService)
#include "tst_printservice.moc"

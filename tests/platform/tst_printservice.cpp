#include "platform/PrintService.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
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

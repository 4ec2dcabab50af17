#include "platform/PrintService.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

class TestPrintService : public QObject
{
    Q_OBJECT
private slots:
    void printsTheWholeTextToPdf()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = dir.filePath("theme.pdf");
        printer.setOutputFileName(path);
        QString text;
        for (int i = 0; i < 200; ++i)
            text += QStringLiteral("Ligne %1 : Ennéagramme, détente et évolution.\r\n").arg(i);
        QVERIFY(QtPrintService::printText(printer, text, QFont("Sans Serif", 12)));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF"));
        // Two hundred lines do not fit on one page: the text was wrapped over several.
        QVERIFY(content.count("/Type /Page\n") + content.count("/Type /Page ") + content.count("/Type /Page/") >= 2 ||
                content.count("/Page") >= 3);
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

#include "FakeServices.h"
#include "interpretation/InterpretationLayout.h"
#include "interpretation/InterpretationWindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

class TestInterpretationWindow : public QObject
{
    Q_OBJECT
private slots:
    void layoutGuards_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("expectedWidth");
        QTest::addColumn<int>("expectedHeight");
        QTest::newRow("ordinary size") << 9600 << 7500 << 9500 << 6725;
        QTest::newRow("100 twips wide keeps the width") << 100 << 7500 << 5000 << 6725;
        QTest::newRow("101 twips wide") << 101 << 7500 << 1 << 6725;
        QTest::newRow("title + 400 not below the height keeps the height") << 9600 << 775 << 9500 << 4000;
        QTest::newRow("just tall enough") << 9600 << 776 << 9500 << 1;
    }
    void layoutGuards()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, expectedWidth);
        QFETCH(int, expectedHeight);
        const TextBoxSize size = interpretationTextBoxSize(width, height, 375, {5000, 4000});
        QCOMPARE(size.width, expectedWidth);
        QCOMPARE(size.height, expectedHeight);
    }

    void appendsLinesWithCrLf()
    {
        FakeMessageService messages;
        FakePrintService printer;
        InterpretationWindow window(messages, printer);
        window.appendLine("A");
        window.appendLine("");
        window.appendLine(" B ");
        window.appendLine(QStringLiteral("C\r\nD"));
        QCOMPARE(window.text(), QStringLiteral("A\r\n\r\n B \r\nC\r\nD\r\n"));
        // On screen every CR LF is a line break.
        QCOMPARE(window.textBox()->toPlainText(), QStringLiteral("A\n\n B \nC\nD\n"));
        QCOMPARE(window.textBox()->document()->blockCount(), 6);
        window.clearText();
        QCOMPARE(window.text(), QString());
        QVERIFY(window.textBox()->toPlainText().isEmpty());
    }

    void printsWholeTextAndReportsFailure()
    {
        FakeMessageService messages;
        FakePrintService printer;
        InterpretationWindow window(messages, printer);
        window.setTitle("Synthèse");
        window.appendLine("Première ligne");
        window.appendLine("Seconde ligne");
        QTextCursor cursor = window.textBox()->textCursor();
        cursor.setPosition(2);
        cursor.setPosition(8, QTextCursor::KeepAnchor);
        window.textBox()->setTextCursor(cursor);

        printer.outcome = PrintOutcome::Cancelled;
        window.print();
        QCOMPARE(printer.printed, QStringList{"Première ligne\r\nSeconde ligne\r\n"});
        QVERIFY(!window.textBox()->textCursor().hasSelection());
        QVERIFY(messages.transcript.isEmpty()); // a cancel is silent

        printer.outcome = PrintOutcome::Failed;
        messages.answers.enqueue(MessageAnswer::Ok);
        window.print();
        QCOMPARE(messages.texts(), QStringList{"L'impression a échoué."});
        QVERIFY(messages.transcript[0].request.title.isEmpty());
        QCOMPARE(messages.transcript[0].request.icon, MessageIcon::None);
        QCOMPARE(window.text(), QStringLiteral("Première ligne\r\nSeconde ligne\r\n"));
        QCOMPARE(printer.fonts.last(), window.textBox()->font());
    }

    void resizingFollowsTheWindow()
    {
        FakeMessageService messages;
        FakePrintService printer;
        InterpretationWindow window(messages, printer);
        window.show();
        window.resize(700, 500);
        QTRY_COMPARE(window.findChild<QLabel*>("interpretationTitleLabel")->width(), 700);
        QVERIFY(window.textBox()->width() > 600 && window.textBox()->width() <= 700);
        window.resize(3, 3);
        QVERIFY(window.textBox()->width() > 0);
        QVERIFY(window.textBox()->height() > 0);
    }
};

QTEST_MAIN(TestInterpretationWindow)
#include "tst_interpretationwindow.moc"

#include "MainWindowFixture.h"
#include "help/GuideText.h"
#include "help/HelpWindow.h"

#include <QPlainTextEdit>
#include <QScrollBar>

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void guideText()
    {
        const QString guide = ::guideText();
        QVERIFY(guide.startsWith("C'est très simple !"));
        QVERIFY2(guide.size() > 780 && guide.size() < 880, qPrintable(QString::number(guide.size())));
        QCOMPARE(guide.split("\r\n\r\n").size(), 4);
        QVERIFY(!guide.contains(QRegularExpression("[^\r]\n")));
        const qsizetype vous = guide.indexOf("Vous");
        const qsizetype partner = guide.indexOf("Votre partenaire");
        const qsizetype save = guide.indexOf("Sauvegarder");
        QVERIFY(vous > 0 && vous < partner && partner < save);
        // Non-breaking spaces keep a guillemet on the line of the word it quotes.
        QVERIFY(guide.contains(QString::fromUtf16(u"«\u00a0-> Partenaire\u00a0»")));
        QVERIFY(!guide.contains(QStringLiteral("« ")) && !guide.contains(QStringLiteral(" »")));
        QVERIFY(!guide.contains(u'"'));
        // The help box wraps each block itself; a line break inside a block leaves lone words on screen.
        for (const QString& block : guide.split("\r\n\r\n"))
            QVERIFY2(!block.contains(u'\n') && !block.isEmpty(), qPrintable(block));
    }

    void guideFitsTheHelpBox()
    {
        MainWindowFixture f;
        f.window->showHelp();
        HelpWindow* help = f.window->helpWindow();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        auto* box = help->findChild<QPlainTextEdit*>("helpTextBox");
        // Four paragraphs and the three blank lines between them: nothing else breaks a line.
        QCOMPARE(box->document()->blockCount(), 7);
        QVERIFY(!box->horizontalScrollBar()->isVisible());
        help->close();
    }

    void oneHelpWindowAtATime()
    {
        MainWindowFixture f;
        f.window->showHelp();
        HelpWindow* help = f.window->helpWindow();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("Aide"));
        help->findChild<QPlainTextEdit*>("helpTextBox")->setPlainText("tapé par erreur");
        f.window->showHelp();
        QCOMPARE(f.window->helpWindow(), help);

        help->findChild<QPushButton*>("helpOkButton")->click();
        QTRY_COMPARE(f.window->helpWindow(), nullptr);
        f.window->showHelp();
        QVERIFY(f.window->helpWindow()->guide().startsWith("C'est très simple !"));
        f.window->helpWindow()->close();
    }

    void keysOfTheHelpWindow_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape in the guide") << "helpTextBox" << int(Qt::Key_Escape) << true;
        QTest::newRow("Escape on Ok") << "helpOkButton" << int(Qt::Key_Escape) << true;
        QTest::newRow("Enter on Ok") << "helpOkButton" << int(Qt::Key_Return) << true;
        QTest::newRow("Space on Ok") << "helpOkButton" << int(Qt::Key_Space) << true;
        QTest::newRow("Enter in the guide starts a new line") << "helpTextBox" << int(Qt::Key_Return) << false;
    }

    void keysOfTheHelpWindow()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        MainWindowFixture f;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        HelpWindow* help = f.window->helpWindow();
        QVERIFY(help);
        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QWidget* target = help->findChild<QWidget*>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        if (closes) {
            QTRY_COMPARE(f.window->helpWindow(), nullptr);
        } else {
            QVERIFY(help->isVisible());
            QVERIFY(help->guide().startsWith("\n"));
            help->close();
        }
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"

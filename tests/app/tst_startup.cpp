#include "FakeServices.h"
#include "app/Startup.h"
#include "widgets/EnneagramFigure.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace Qt::StringLiterals;

// Start-up runs against folders in a temporary directory; the fakes stand in for message boxes and printing.
class TestStartup : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeMessageService m_messages;
    FakePrintService m_printer;

    StartupContext context() { return {appData(), program(), u'/', makeFolderIfMissing, &m_messages, &m_printer}; }
    QString appData() const { return m_dir.filePath(u"appdata"_s); }
    QString program() const { return m_dir.filePath(u"program"_s); }
    static void putFile(const QString& path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void init()
    {
        QVERIFY(QDir().mkpath(appData()));
        QVERIFY(QDir().mkpath(program()));
        m_messages.reset();
    }
    void cleanup()
    {
        QVERIFY2(m_messages.problems().isEmpty(), qPrintable(m_messages.problems().join(u'\n')));
        QVERIFY(QDir(appData()).removeRecursively());
        QVERIFY(QDir(program()).removeRecursively());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void showsTheMainWindowWithItsDataFolder()
    {
        int shownCount = 0;
        QString title;
        const int exitCode = runPsycheRondo(*qApp, context(), [&](QMainWindow& window) {
            ++shownCount;
            title = window.windowTitle();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        });
        QCOMPARE(exitCode, 0);
        QCOMPARE(shownCount, 1);
        QCOMPARE(title, u"Psyche Rondo"_s);
        QVERIFY(QFileInfo(appData() + u"/pr"_s).isDir());
        QVERIFY(!QFileInfo::exists(program() + u"/pr"_s));
        QVERIFY(m_messages.transcript.isEmpty());
    }

    void fallsBackToTheProgramFolderSilently()
    {
        putFile(appData() + u"/pr"_s); // a file where the folder should be
        const int exitCode = runPsycheRondo(*qApp, context(),
                                            [](QMainWindow&) { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
        QCOMPARE(exitCode, 0);
        QVERIFY(QFileInfo(program() + u"/pr"_s).isDir());
        QVERIFY(m_messages.transcript.isEmpty());
    }

    // Neither folder can be made: the user is told, in French, and the program ends with 1 without a window.
    void noDataFolderStopsWithAMessage()
    {
        putFile(appData() + u"/pr"_s);
        putFile(program() + u"/pr"_s);
        m_messages.answers.enqueue(MessageAnswer::Ok);
        bool shown = false;
        const int exitCode = runPsycheRondo(*qApp, context(), [&](QMainWindow&) {
            shown = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        });
        QCOMPARE(exitCode, 1);
        QVERIFY(!shown);
        compareOnlyBox(
            m_messages,
            {u"Le dossier de données «\u00a0%1/pr/\u00a0» n'a pas pu être créé. Psyche Rondo ne peut pas démarrer."_s
                 .arg(program()),
             u"Erreur"_s, MessageButtons::Ok, MessageIcon::Exclamation});
    }

    void applicationIconComesInEverySize()
    {
        // The icon is read from the program's resources: a name that no longer matches gives no icon, silently.
        const QIcon icon = EnneagramFigure::applicationIcon();
        QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {64, 64}, {128, 128}}));
        QCOMPARE(icon.pixmap(QSize(128, 128)).toImage().pixelColor(64, 4), QColor(0, 128, 0));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

#include "platform/DataFolder.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestDataFolder : public QObject
{
    Q_OBJECT

    static FolderMaker recorder(QStringList& made, const QSet<QString>& failing = {})
    {
        return [&made, failing](const QString& path) {
            made << path;
            return !failing.contains(path);
        };
    }

private slots:
    void rule_data()
    {
        QTest::addColumn<QString>("appData");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        QTest::newRow("roaming folder") << "C:\\Data\\Roaming"
                                        << "D:\\Apps\\Typing"
                                        << "C:\\Data\\Roaming\\pr\\";
        QTest::newRow("drive root, no doubled separator") << "C:\\"
                                                          << "D:\\Apps"
                                                          << "C:\\pr\\";
        QTest::newRow("blank path uses the program folder") << "   "
                                                            << "D:\\Apps\\Typing"
                                                            << "D:\\Apps\\Typing\\pr\\";
        QTest::newRow("empty path, program at a drive root") << ""
                                                             << "D:\\"
                                                             << "D:\\pr\\";
    }
    void rule()
    {
        QFETCH(QString, appData);
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QStringList made;
        const DataFolderResult result = settleDataFolder(appData, program, u'\\', recorder(made));
        QVERIFY(result.ok);
        QCOMPARE(result.dataFolder, expected);
        QVERIFY(result.appFolder.endsWith(u'\\'));
        QCOMPARE(made, QStringList{expected.chopped(1)});
    }

    void fallsBackSilentlyToTheProgramFolder()
    {
        QStringList made;
        const DataFolderResult result =
            settleDataFolder("/home/u/.local/share", "/opt/pr", u'/', recorder(made, {"/home/u/.local/share/pr"}));
        QVERIFY(result.ok);
        QCOMPARE(result.dataFolder, QStringLiteral("/opt/pr/pr/"));
        QCOMPARE(made, (QStringList{"/home/u/.local/share/pr", "/opt/pr/pr"}));
    }

    void reportsWhenEvenTheFallbackFails()
    {
        QStringList made;
        const DataFolderResult result = settleDataFolder("/a", "/b", u'/', recorder(made, {"/a/pr", "/b/pr"}));
        QVERIFY(!result.ok);
        QCOMPARE(result.dataFolder, QStringLiteral("/b/pr/"));
    }

    void realFolders()
    {
        QTemporaryDir dir;
        const QString appData = dir.filePath("roaming");
        const DataFolderResult first = settleDataFolder(appData, dir.filePath("prog"), u'/', makeFolderIfMissing);
        QVERIFY(first.ok);
        QVERIFY(QFileInfo(appData + "/pr").isDir());
        QFile marker(appData + "/pr/prrep.txt");
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.write("x");
        marker.close();
        // The second run finds the folder and leaves what is inside alone.
        const DataFolderResult second = settleDataFolder(appData, dir.filePath("prog"), u'/', makeFolderIfMissing);
        QCOMPARE(second.dataFolder, first.dataFolder);
        QCOMPARE(QFileInfo(appData + "/pr/prrep.txt").size(), 1);

        // A regular file where the folder should be cannot hold the directory: the program folder takes over.
        QFile blocker(dir.filePath("blocked"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(QDir().mkpath(dir.filePath("blocked-parent")));
        QFile file(dir.filePath("blocked-parent/pr"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const DataFolderResult fallback =
            settleDataFolder(dir.filePath("blocked-parent"), dir.filePath("prog"), u'/', makeFolderIfMissing);
        QVERIFY(fallback.ok);
        QCOMPARE(fallback.dataFolder, dir.filePath("prog") + "/pr/");
        QVERIFY(QFileInfo(dir.filePath("prog/pr")).isDir());
    }

    // The folder holds everyone's names and types: under the usual umask it would be open to every local user.
    void newFoldersAreForTheirOwnerOnly_data()
    {
        QTest::addColumn<QString>("appData"); // relative to a fresh folder; "-": a file that blocks it
        QTest::addColumn<QString>("made");
        QTest::newRow("data folder, its parents made too") << "roaming/deep"
                                                           << "roaming/deep/pr";
        QTest::newRow("fallback beside the executable") << "-"
                                                        << "prog/pr";
    }
    void newFoldersAreForTheirOwnerOnly()
    {
#ifndef Q_OS_UNIX
        QSKIP("Unix file modes; on Windows a new folder inherits its parent's access rules");
#else
        QFETCH(QString, appData);
        QFETCH(QString, made);
        QTemporaryDir dir;
        if (appData == "-") {
            QFile blocker(dir.filePath("pr"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            appData = ".";
        }
        const mode_t savedMask = umask(022);
        const DataFolderResult result =
            settleDataFolder(dir.filePath(appData), dir.filePath("prog"), u'/', makeFolderIfMissing);
        umask(savedMask);
        QVERIFY(result.ok);
        QCOMPARE(result.dataFolder, dir.filePath(made) + "/");
        struct stat st = {};
        QCOMPARE(stat(QFile::encodeName(dir.filePath(made)).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0700);
#endif
    }

    void xdgDataHome_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absolute") << QByteArray("/srv/data") << "/srv/data";
        QTest::newRow("unset") << QByteArray() << QDir::homePath() + "/.local/share";
        QTest::newRow("relative, ignored") << QByteArray("data") << QDir::homePath() + "/.local/share";
        QTest::newRow("dot-relative, ignored") << QByteArray("./x") << QDir::homePath() + "/.local/share";
    }
    void xdgDataHome()
    {
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
        QSKIP("XDG_DATA_HOME is read on Linux and the other Unix desktops only");
#else
        QFETCH(QByteArray, value);
        QFETCH(QString, expected);
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", value);
        const QString path = systemAppDataPath();
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(path, expected);
#endif
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"

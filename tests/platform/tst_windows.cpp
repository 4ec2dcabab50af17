#include "persons/PersonDirectory.h"
#include "platform/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>

// Keeps a file open without sharing it, as an editor or a synchronisation tool may: any other open fails with a
// sharing violation while this lives.
class ExclusiveFileHold
{
public:
    explicit ExclusiveFileHold(const QString& path)
        : m_handle(CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~ExclusiveFileHold()
    {
        if (held())
            CloseHandle(m_handle);
    }
    ExclusiveFileHold(const ExclusiveFileHold&) = delete;
    ExclusiveFileHold& operator=(const ExclusiveFileHold&) = delete;
    bool held() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};
#endif

// What differs on Windows: the roaming application-data folder, paths outside the ANSI code page, and files that
// another program holds open without sharing.
class TestWindows : public QObject
{
    Q_OBJECT

    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(absent)");
    }

private slots:
    void initTestCase()
    {
#ifndef Q_OS_WIN
        QSKIP("Windows only: the roaming AppData folder and sharing violations");
#endif
    }

#ifdef Q_OS_WIN
    void dataFolderIsRoamingAppData()
    {
        const QString appData = qEnvironmentVariable("APPDATA");
        QVERIFY(!appData.isEmpty());
        QCOMPARE(systemAppDataPath(), QDir::toNativeSeparators(appData));
        QCOMPARE(platformSeparator(), QLatin1Char('\\'));
        const DataFolderResult folder = settleDataFolder(systemAppDataPath(), QStringLiteral("C:\\Programme"),
                                                         platformSeparator(), [](const QString&) { return true; });
        QVERIFY(folder.ok);
        QCOMPARE(folder.dataFolder, QDir::toNativeSeparators(appData) + QStringLiteral("\\pr\\"));
    }

    // A user name outside the ANSI code page puts such characters in the folder's path: the folder is still made
    // and the directory file written there, in Windows-1252 with CR LF.
    void folderOutsideTheAnsiCodePage()
    {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QString parent = QDir::toNativeSeparators(temp.filePath(QStringLiteral("Zoë Ωμέγα 日本")));
        const DataFolderResult folder =
            settleDataFolder(parent, QStringLiteral("C:\\Programme"), QLatin1Char('\\'), makeFolderIfMissing);
        QVERIFY(folder.ok);
        QCOMPARE(folder.dataFolder, parent + QStringLiteral("\\pr\\"));
        QVERIFY(QFileInfo(folder.dataFolder).isDir());

        const PersonRecord zoe{QStringLiteral("Lefèvre"), QStringLiteral("Zoé"), QStringLiteral("5"),
                               QStringLiteral("4"),       QStringLiteral("0"),   QStringLiteral("361792450")};
        QVERIFY(!PersonDirectory(folder.dataFolder).save(zoe, {}, [](const QString&, bool) { return true; }));
        QCOMPARE(bytesOf(directoryFilePath(folder.dataFolder)),
                 QByteArray("\"Lef\xe8vre\",\"Zo\xe9\",\"5\",\"4\",\"0\",\"361792450\"\r\n"));
    }

    void fileHeldWithoutSharing()
    {
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QString folder = QDir::toNativeSeparators(temp.path()) + QLatin1Char('\\');
        const QByteArray before("\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n");
        QFile file(directoryFilePath(folder));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
        file.close();

        auto hold = std::make_unique<ExclusiveFileHold>(directoryFilePath(folder));
        QVERIFY(hold->held());
        const DirectoryContent read = readDirectory(directoryFilePath(folder));
        QCOMPARE(read.status, DirectoryContent::Status::Unreadable);
        QVERIFY2(read.reason.contains(QStringLiteral("utilisé par un autre programme")), qPrintable(read.reason));

        const PersonRecord anne{QStringLiteral("Durand"), QStringLiteral("Anne"), QStringLiteral("5"),
                                QStringLiteral("4"),      QStringLiteral("0"),    QStringLiteral("361792450")};
        const auto problem = PersonDirectory(folder).save(anne, {}, [](const QString&, bool) { return true; });
        QVERIFY(problem);
        QVERIFY2(problem->message.contains(QStringLiteral("utilisé par un autre programme")),
                 qPrintable(problem->message));
        hold.reset();
        QCOMPARE(bytesOf(directoryFilePath(folder)), before);
    }
#endif
};

QTEST_GUILESS_MAIN(TestWindows)
#include "tst_windows.moc"

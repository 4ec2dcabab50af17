#include "persons/DirectoryFile.h"
#include "persons/PersonDirectory.h"
#include "platform/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>

// Keeps a file open as another program may, sharing only what `share` allows: an editor may share nothing, a
// synchronisation tool or an antivirus shares reading and writing but not deleting, which forbids replacing the file.
class FileHold
{
public:
    FileHold(const QString& path, DWORD share)
        : m_handle(CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ, share, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~FileHold()
    {
        if (held())
            CloseHandle(m_handle);
    }
    FileHold(const FileHold&) = delete;
    FileHold& operator=(const FileHold&) = delete;
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

    void fileHeldByAnotherProgram_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<quint32>("share");
        QTest::newRow("directory, nothing shared") << QStringLiteral("prrep.txt") << quint32(0);
        QTest::newRow("directory, deleting not shared")
            << QStringLiteral("prrep.txt") << quint32(FILE_SHARE_READ | FILE_SHARE_WRITE);
        QTest::newRow("backup, deleting not shared")
            << QStringLiteral("prrep.bak") << quint32(FILE_SHARE_READ | FILE_SHARE_WRITE);
    }

    // The save is refused with the reason, and both files keep their bytes, even when the file can be read and
    // only its replacement is refused; nothing is left behind.
    void fileHeldByAnotherProgram()
    {
        QFETCH(QString, held);
        QFETCH(quint32, share);
        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QString folder = QDir::toNativeSeparators(temp.path()) + QLatin1Char('\\');
        const QByteArray directory("\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n");
        const QByteArray backup("\"Morel\",\"Eve\",\"7\",\"\",\"\",\"\"\r\n");
        for (const auto& [path, bytes] :
             {std::pair{directoryFilePath(folder), directory}, std::pair{backupFilePath(folder), backup}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
        }

        auto hold = std::make_unique<FileHold>(folder + held, DWORD(share));
        QVERIFY(hold->held());
        const PersonRecord anne{QStringLiteral("Durand"), QStringLiteral("Anne"), QStringLiteral("5"),
                                QStringLiteral("4"),      QStringLiteral("0"),    QStringLiteral("361792450")};
        const auto problem = PersonDirectory(folder).save(anne, {}, [](const QString&, bool) { return true; });
        hold.reset();
        QVERIFY(problem);
        QVERIFY2(problem->message.contains(QStringLiteral("utilisé par un autre programme")),
                 qPrintable(problem->message));
        QCOMPARE(bytesOf(directoryFilePath(folder)), directory);
        QCOMPARE(bytesOf(backupFilePath(folder)), backup);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("prrep.bak"), QStringLiteral("prrep.txt")}));
    }
#endif
};

QTEST_GUILESS_MAIN(TestWindows)
#include "tst_windows.moc"

#include "persons/PersonDirectory.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace Qt::StringLiterals;

namespace {

const QByteArray anne = "\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"";
const QByteArray anneBefore = "\"Durand\",\"Anne\",\"2\",\"1\",\"3\",\"000000000\""; // as she was before a save
const QByteArray luc = "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"";
const QByteArray zoe = "\"Lef\xE8vre\",\"Zo\xE9\",\"7\",\"6\",\"8\",\"123456789\"";

} // namespace

// Erasing a person for good: the line goes from the directory and from its backup, and nothing else changes.
class TestPersonErase : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;

    QString txt() const { return directoryFilePath(m_folder); }
    QString bak() const { return backupFilePath(m_folder); }
    static void write(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    // Erases the record shown at index, as the list read the directory file when it opened.
    EraseOutcome erase(qsizetype index, int lockWait = 5000)
    {
        PersonDirectory directory(m_folder);
        directory.setLockWait(lockWait);
        return directory.erase(readDirectory(txt()), index);
    }
    QString shown(const QString& path) const { return QDir::toNativeSeparators(path); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = m_dir->path() + u'/';
    }
    void cleanup() { fileaccess::setFaultInjector({}); }

    void onlyTheLineGoesFromBothFiles_data()
    {
        QTest::addColumn<QByteArray>("directory");
        QTest::addColumn<QByteArray>("backup"); // "<none>": no backup
        QTest::addColumn<int>("index");         // of the record, blank lines not counted
        QTest::addColumn<QByteArray>("directoryAfter");
        QTest::addColumn<QByteArray>("backupAfter");
        QTest::newRow("the backup holds her as she was before the last save")
            << luc + "\r\n" + anne + "\r\n" + zoe + "\r\n"
            << luc + "\r\n" + anneBefore + "\r\n"
            << 1 << luc + "\r\n" + zoe + "\r\n"
            << luc + "\r\n";
        QTest::newRow("blank lines, LF, CR and no end on the last line stay")
            << "\r\n" + luc + "\n  \n" + anne + "\r" + zoe << "\n" + anne + "\r\n\r\n" + luc << 1
            << "\r\n" + luc + "\n  \n" + zoe << "\n\r\n" + luc;
        QTest::newRow("the last line, without its line end") << luc + "\r\n" + anne << anne + "\r\n" + luc + "\r\n"
                                                             << 1 << luc + "\r\n"
                                                             << luc + "\r\n";
        QTest::newRow("same names twice: only the second goes, from both files")
            << anne + "\r\n" + luc + "\r\n" + anneBefore + "\r\n"
            << anne + "\r\n" + anneBefore + "\r\n"
            << 2 << anne + "\r\n" + luc + "\r\n"
            << anne + "\r\n";
        QTest::newRow("the same line twice: only the one chosen goes") << anne + "\r\n" + luc + "\r\n" + anne + "\r\n"
                                                                       << luc + "\r\n"
                                                                       << 2 << anne + "\r\n" + luc + "\r\n"
                                                                       << luc + "\r\n";
        QTest::newRow("the last of her names in the directory: every one goes from the backup")
            << anne + "\r\n"
            << anneBefore + "\r\n" + luc + "\r\n" + anne + "\r\n"
            << 0 << QByteArray() << luc + "\r\n";
        QTest::newRow("no backup: none is made") << luc + "\r\n" + anne + "\r\n"
                                                 << "<none>"_ba << 0 << anne + "\r\n"
                                                 << "<none>"_ba;
    }
    void onlyTheLineGoesFromBothFiles()
    {
        QFETCH(QByteArray, directory);
        QFETCH(QByteArray, backup);
        QFETCH(int, index);
        QFETCH(QByteArray, directoryAfter);
        QFETCH(QByteArray, backupAfter);
        write(txt(), directory);
        if (backup != "<none>")
            write(bak(), backup);
        const EraseOutcome outcome = erase(index);
        QVERIFY2(outcome.status == EraseOutcome::Status::Erased, qPrintable(outcome.message));
        QCOMPARE(bytes(txt()), directoryAfter);
        QCOMPARE(bytes(bak()), backupAfter);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), backup == "<none>" ? 1 : 2);
    }

    // Another copy of the program changed the file after the list was read: the line shown is not erased blindly.
    void personChangedMeanwhileIsNotErased_data()
    {
        QTest::addColumn<QByteArray>("meanwhile");
        QTest::newRow("erased by the other copy") << luc + "\r\n";
        QTest::newRow("saved again with another type") << luc + "\r\n" + anneBefore + "\r\n";
        QTest::newRow("a second identical line appeared") << anne + "\r\n" + luc + "\r\n" + anne + "\r\n";
        QTest::newRow("the file is gone") << "<none>"_ba;
    }
    void personChangedMeanwhileIsNotErased()
    {
        QFETCH(QByteArray, meanwhile);
        write(txt(), luc + "\r\n" + anne + "\r\n");
        write(bak(), anne + "\r\n");
        const DirectoryContent shownList = readDirectory(txt());
        if (meanwhile == "<none>")
            QVERIFY(QFile::remove(txt()));
        else
            write(txt(), meanwhile);
        const EraseOutcome outcome = PersonDirectory(m_folder).erase(shownList, 1);
        QVERIFY(outcome.status == EraseOutcome::Status::Vanished);
        QCOMPARE(outcome.message,
                 u"Anne Durand n'est plus dans le fichier des personnes «\u00a0%1\u00a0» tel que la liste le "
                 u"montrait\u00a0: un autre exemplaire du programme l'a modifié entre-temps.\r\nRien n'a été "
                 u"supprimé\u00a0; la liste montre maintenant le fichier tel qu'il est."_s.arg(shown(txt())));
        QCOMPARE(bytes(txt()), meanwhile);
        QCOMPARE(bytes(bak()), anne + "\r\n");
    }

    // Whatever fails, both files stay byte for byte as they were and the message names the file and the reason.
    void failureLeavesBothFilesAsTheyWere_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message"); // its beginning; %1 the directory, %2 the backup
        QTest::addColumn<QString>("ending");
        const QString bothKept =
            u"\r\nRien n'a été supprimé\u00a0; les deux fichiers sont restés tels qu'ils étaient."_s;
        QTest::newRow("another copy holds the lock")
            << u"lock"_s
            << u"Le fichier des personnes «\u00a0%1\u00a0» est en cours d'enregistrement par un autre exemplaire du "
               u"programme.\r\nRien n'a été supprimé\u00a0; recommencez la suppression dans un instant."_s
            << u"dans un instant."_s;
        QTest::newRow("the disk is full")
            << u"full"_s
            << u"La copie de sauvegarde «\u00a0%2\u00a0» n'a pas pu être écrite\u00a0: le fichier dépasse la taille "
               u"permise"_s
            << bothKept;
        QTest::newRow("the directory's rename fails after the backup's: the backup is put back")
            << u"rename"_s << u"Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: "_s << bothKept;
        QTest::newRow("the backup cannot be read")
            << u"bad backup"_s
            << u"La copie de sauvegarde «\u00a0%2\u00a0» ne peut pas être lue\u00a0: sa ligne 3 n'est pas un "
               u"enregistrement valide (un guillemet ouvert n'est jamais refermé).\r\nRien n'a été supprimé, pour ne "
               u"pas laisser Anne Durand dans la copie."_s
            << u"dans la copie."_s;
    }
    void failureLeavesBothFilesAsTheyWere()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QFETCH(QString, ending);
        const QByteArray directory = luc + "\r\n" + anne + "\r\n" + zoe + "\r\n";
        // Long enough for the lock file to fit under the limit on file size while the new backup does not.
        const QByteArray someone = "\"" + QByteArray(600, 'x') + "\",\"Y\",\"\",\"\",\"\",\"\"\r\n";
        QByteArray backup = anneBefore + "\r\n" + luc + "\r\n";
        if (fault == u"bad backup")
            backup += "\"broken\r\n";
        if (fault == u"full")
            backup += someone;
        write(txt(), directory);
        write(bak(), backup);
        QLockFile other(lockFilePath(m_folder));
        if (fault == u"lock")
            QVERIFY(other.tryLock(0));
        if (fault == u"rename")
            fileaccess::setFaultInjector([&](fileaccess::WriteStep step, const QString& path) {
                return step == fileaccess::WriteStep::Rename && path == txt() ? EACCES : 0;
            });
        EraseOutcome outcome;
        if (fault == u"full") {
#ifndef Q_OS_UNIX
            QSKIP("a limit on file size is a Unix facility");
#else
            signal(SIGXFSZ, SIG_IGN);
            rlimit saved = {};
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit limited = saved;
            limited.rlim_cur = rlim_t(someone.size() / 2);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
            outcome = erase(1);
            setrlimit(RLIMIT_FSIZE, &saved);
#endif
        } else {
            outcome = erase(1, 50);
        }
        QVERIFY(outcome.status == EraseOutcome::Status::Failed);
        message.replace(u"%1"_s, shown(txt())).replace(u"%2"_s, shown(bak()));
        QVERIFY2(outcome.message.startsWith(message) && outcome.message.endsWith(ending), qPrintable(outcome.message));
        QCOMPARE(bytes(txt()), directory);
        QCOMPARE(bytes(bak()), backup);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), fault == u"lock" ? 3 : 2);
    }
};

QTEST_GUILESS_MAIN(TestPersonErase)
#include "tst_personerase.moc"

#include "DirectoryFiles.h"
#include "platform/ExclusiveLock.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

using namespace testfiles;
using filelock::ExclusiveLock;

Q_DECLARE_METATYPE(ExclusiveLock::Status)

class TestExclusiveLock : public QObject
{
    Q_OBJECT

    QTemporaryDir* m_dir = nullptr;
    QString m_lock;

    // The machine's name as QLockFile writes and compares it (on Windows, COMPUTERNAME, in capitals).
    static QString lockHostName()
    {
        QTemporaryDir dir;
        QLockFile lock(dir.filePath("probe"));
        qint64 pid = 0;
        QString host;
        if (!lock.tryLock(0) || !lock.getLockInfo(&pid, &host, nullptr))
            qFatal("a lock in a fresh folder could not be taken and read back");
        return host;
    }

    static void writeLock(const QString& path, const QByteArray& content, int ageSeconds)
    {
        QFile lock(path);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        QCOMPARE(lock.write(content), content.size());
        QVERIFY(lock.flush());
        QVERIFY(
            lock.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        m_lock = m_dir->filePath("prrep.txt.lock");
    }
    void cleanup() { delete m_dir; }

    // Locks a copy of the program left behind when it was killed: no running copy can hold them.
    void leftoverLocksAreRecovered_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("recovered");
        QTest::addColumn<QString>("extra"); // "read-only": the lock's mode; "removal": an empty removal lock beside it
        const QByteArray host = lockHostName().toUtf8();
        const QByteArray dead = "2147483600\ntst_exclusivelock\n" + host + "\n";
        QTest::newRow("empty, left 15 seconds ago") << QByteArray() << 15 << true << "";
        QTest::newRow("garbage, left 15 seconds ago") << QByteArray("\0\x01zz\n", 5) << 15 << true << "";
        QTest::newRow("process number that no longer runs here") << dead << 0 << true << "";
        // Its copy would have written its number at once: after a moment, it is a killed copy's.
        QTest::newRow("empty, just created") << QByteArray() << 0 << true << "";
        QTest::newRow("process number that no longer runs, read-only") << dead << 0 << true << "read-only";
        QTest::newRow("dead lock with an empty removal lock just left") << dead << 0 << true << "removal";
        QTest::newRow("running copy's lock, 15 seconds old")
            << QByteArray::number(QCoreApplication::applicationPid()) + "\ntst_exclusivelock\n" + host + "\n"
            << 15 << false << "";
    }
    void leftoverLocksAreRecovered()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, ageSeconds);
        QFETCH(bool, recovered);
        QFETCH(QString, extra);
        writeLock(m_lock, content, ageSeconds);
        if (extra == "read-only")
            QVERIFY(QFile::setPermissions(m_lock, QFile::ReadOwner | QFile::ReadUser));
        if (extra == "removal")
            writeLock(m_lock + ".rmlock", {}, 0);
        {
            ExclusiveLock lock(m_lock);
            const ExclusiveLock::Outcome outcome = lock.take(0);
            QCOMPARE(outcome.status, recovered ? ExclusiveLock::Status::Taken : ExclusiveLock::Status::Busy);
            if (!recovered) {
                QCOMPARE(outcome.path, m_lock);
                QCOMPARE(bytes(m_lock), content);
                return;
            }
        }
        QVERIFY(!QFile::exists(m_lock)); // released when the lock goes
    }

    // QLockFile reads a lock whole: a file far larger than any lock, at the lock or at its removal lock, is refused
    // unread (a sparse file costs no disk).
    void hugeFileIsNotReadAsALock_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("lock") << "";
        QTest::newRow("removal lock") << ".rmlock";
    }
    void hugeFileIsNotReadAsALock()
    {
        QFETCH(QString, suffix);
        QFile huge(m_lock + suffix);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 30));
        huge.close();
        const ExclusiveLock::Outcome outcome = ExclusiveLock(m_lock).take(0);
        QCOMPARE(outcome.status, ExclusiveLock::Status::TooLarge);
        QCOMPARE(outcome.path, m_lock + suffix);
        QCOMPARE(QFileInfo(m_lock + suffix).size(), qint64(1) << 30);
    }

    void heldLockIsBusyUntilReleased()
    {
        QLockFile other(m_lock);
        QVERIFY(other.tryLock(0));
        ExclusiveLock lock(m_lock);
        QCOMPARE(lock.take(50).status, ExclusiveLock::Status::Busy);
        other.unlock();
        QCOMPARE(lock.take(0).status, ExclusiveLock::Status::Taken);
    }

    // On Windows Qt's lock calls the system directly and leaves errno alone: the reason must still be the system's.
    void lockInAMissingFolderSaysWhy()
    {
        const QString path = m_dir->filePath("absent/prrep.txt.lock");
        const ExclusiveLock::Outcome outcome = ExclusiveLock(path).take(0);
        QCOMPARE(outcome.status, ExclusiveLock::Status::NotCreated);
        QCOMPARE(outcome.path, path);
        QCOMPARE(outcome.reason, QStringLiteral("le dossier n'existe pas"));
    }

    // QLockFile reads a lock it finds: a pipe there would block the program for good, a link to an endless device
    // would make it read without end, and anything but a plain file of its own is not the program's lock.
    void lockPathHoldingSomethingElseIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("removalLock"); // at the file QLockFile uses while it removes a dead lock
        QTest::addColumn<QString>("described");
        QTest::newRow("pipe") << "fifo" << false << "un tube de communication";
        QTest::newRow("link to an endless device") << "zero" << false << "un lien vers un autre emplacement";
        QTest::newRow("folder") << "folder" << false << "un dossier";
        QTest::newRow("socket") << "socket" << false << "une prise de communication (socket)";
        QTest::newRow("link to nothing") << "dangling" << false << "un lien vers un autre emplacement";
        QTest::newRow("link to itself") << "loop" << false << "un lien vers un autre emplacement";
        QTest::newRow("file with a second name")
            << "hardlink" << false << "un fichier qui porte aussi un autre nom (lien physique)";
        QTest::newRow("pipe as the removal lock") << "fifo" << true << "un tube de communication";
    }
    void lockPathHoldingSomethingElseIsRefused()
    {
#ifndef Q_OS_UNIX
        QSKIP("pipes, sockets and links are made here with Unix calls");
#else
        QFETCH(QString, kind);
        QFETCH(bool, removalLock);
        QFETCH(QString, described);
        const QString odd = m_lock + (removalLock ? ".rmlock" : "");
        const QByteArray native = QFile::encodeName(odd);
        if (removalLock) // a lock already there: QLockFile looks at the removal lock when it finds this one dead
            write(m_lock, {});
        if (kind == "fifo") {
            QCOMPARE(mkfifo(native.constData(), 0600), 0);
        } else if (kind == "zero") {
            QVERIFY(QFile::link("/dev/zero", odd));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(odd));
        } else if (kind == "socket") {
            const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address = {};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, native.constData(), sizeof address.sun_path - 1);
            QCOMPARE(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
            close(fd);
        } else if (kind == "dangling") {
            QVERIFY(QFile::link(m_dir->filePath("nowhere"), odd));
        } else if (kind == "loop") {
            QCOMPARE(symlink(native.constData(), native.constData()), 0);
        } else {
            write(m_dir->filePath("other"), {});
            QCOMPARE(link(QFile::encodeName(m_dir->filePath("other")).constData(), native.constData()), 0);
        }
        ExclusiveLock lock(m_lock);
        const ExclusiveLock::Outcome outcome = lock.take(0);
        QCOMPARE(outcome.status, ExclusiveLock::Status::NotAFile);
        QCOMPARE(outcome.path, odd);
        QCOMPARE(outcome.reason, described);
        struct stat st = {};
        QCOMPARE(lstat(native.constData(), &st), 0); // left where it was
#endif
    }

    // A data folder that has become read-only: the lock can be neither made nor, when one was left, removed.
    void readOnlyFolderSaysWhyTheLockFails_data()
    {
        QTest::addColumn<bool>("leftover");
        QTest::addColumn<ExclusiveLock::Status>("status");
        QTest::newRow("lock left by a killed copy") << true << ExclusiveLock::Status::NotRemovable;
        QTest::newRow("no lock") << false << ExclusiveLock::Status::NotCreated;
    }
    void readOnlyFolderSaysWhyTheLockFails()
    {
#ifndef Q_OS_LINUX
        QSKIP("mounting a small file system is done with Linux calls");
#else
        QFETCH(bool, leftover);
        QFETCH(ExclusiveLock::Status, status);
        const QString mountPoint = m_dir->filePath("small");
        QVERIFY(QDir().mkpath(mountPoint));
        const QByteArray native = QFile::encodeName(mountPoint);
        if (geteuid() != 0 || mount("tmpfs", native.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("mounting a small file system needs root");
        const QString lockPath = mountPoint + "/prrep.txt.lock";
        if (leftover)
            writeLock(lockPath, {}, 60);
        const int remounted = mount("tmpfs", native.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k");
        ExclusiveLock::Outcome outcome;
        if (remounted == 0)
            outcome = ExclusiveLock(lockPath).take(0);
        umount(native.constData());
        QCOMPARE(remounted, 0);
        QCOMPARE(outcome.status, status);
        QCOMPARE(outcome.path, lockPath);
        QCOMPARE(outcome.reason, QStringLiteral("le disque est en lecture seule"));
#endif
    }
};

QTEST_GUILESS_MAIN(TestExclusiveLock)
#include "tst_exclusivelock.moc"

#include "DirectoryFiles.h"
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
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

using namespace testfiles;

Q_DECLARE_METATYPE(PersonRecord)
Q_DECLARE_METATYPE(SaveFailure)

class TestDirectorySave : public QObject
{
    Q_OBJECT

    QTemporaryDir* m_dir = nullptr;
    QString m_folder;
    QStringList m_questions;
    QList<bool> m_icons;
    QList<bool> m_answers;

    PersonDirectory::Confirm confirm()
    {
        return [this](const QString& question, bool icon) {
            m_questions << question;
            m_icons << icon;
            return m_answers.isEmpty() ? false : m_answers.takeFirst();
        };
    }

    QString txt() const { return directoryFilePath(m_folder); }
    QString bak() const { return backupFilePath(m_folder); }

    std::optional<SaveProblem> save(const PersonRecord& u, const PersonRecord& p)
    {
        return PersonDirectory(m_folder).save(u, p, confirm());
    }

private slots:
    void init()
    {
        m_dir = new QTemporaryDir;
        m_folder = m_dir->path() + "/";
        m_questions.clear();
        m_icons.clear();
        m_answers.clear();
    }
    void cleanup()
    {
        fileaccess::setFaultInjector({});
        delete m_dir;
    }

    // Every message a save can give, word for word; the paths shown with the system's separators.
    void saveMessagesAreWorded_data()
    {
        QTest::addColumn<SaveFailure>("failure");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("detail");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("message");
        const QString txt = "/d/prrep.txt";
        const QString bak = "/d/prrep.bak";
        const QString lock = "/d/prrep.txt.lock";
        QTest::newRow("field not storable")
            << SaveFailure::FieldNotStorable << "Nom du partenaire"
            << "le caractère «\u00a0;\u00a0»"
            << ""
            << "Impossible d'enregistrer\u00a0: le champ «\u00a0Nom du partenaire\u00a0» contient le caractère "
               "«\u00a0;\u00a0», qui ne peut pas figurer dans le fichier des personnes.\r\nCorrigez ce champ, puis "
               "sauvegardez à nouveau.";
        QTest::newRow("directory unreadable") << SaveFailure::Unreadable << txt << "Illisible."
                                              << ""
                                              << "Illisible.\r\nRien n'a été enregistré.";
        QTest::newRow("invalid line") << SaveFailure::InvalidLine << txt << "Ligne fausse."
                                      << ""
                                      << "Ligne fausse.\r\nRien n'a été enregistré, pour ne perdre aucune donnée.";
        QTest::newRow("too large") << SaveFailure::TooLarge << txt << "256"
                                   << ""
                                   << "Le fichier des personnes «\u00a0/d/prrep.txt\u00a0» dépasserait 256\u00a0Mo, la "
                                      "taille au-delà de laquelle le programme ne peut plus le lire.\r\nRien n'a été "
                                      "enregistré.";
        QTest::newRow("backup is a link")
            << SaveFailure::BackupIsLink << bak << ""
            << ""
            << "La copie de sauvegarde «\u00a0/d/prrep.bak\u00a0» est un lien vers un autre emplacement, alors "
               "qu'elle doit être un fichier ordinaire du dossier des données\u00a0: supprimez ce lien, puis "
               "sauvegardez à nouveau.\r\nRien n'a été enregistré.";
        QTest::newRow("backup is the directory")
            << SaveFailure::BackupIsDirectory << txt << "" << bak
            << "Le fichier des personnes «\u00a0/d/prrep.txt\u00a0» et sa copie de sauvegarde "
               "«\u00a0/d/prrep.bak\u00a0» "
               "sont un seul et même fichier (lien)\u00a0: enregistrer détruirait la copie. Supprimez "
               "«\u00a0/d/prrep.bak\u00a0», puis sauvegardez à nouveau.\r\nRien n'a été enregistré.";
        QTest::newRow("backup not a regular file")
            << SaveFailure::BackupNotRegular << bak << ""
            << ""
            << "La copie de sauvegarde «\u00a0/d/prrep.bak\u00a0» n'est pas un fichier ordinaire.\r\nRien n'a été "
               "enregistré.";
        QTest::newRow("lock held by another copy")
            << SaveFailure::LockBusy << txt << ""
            << ""
            << "Le fichier des personnes «\u00a0/d/prrep.txt\u00a0» est en cours d'enregistrement par un autre "
               "exemplaire du programme.\r\nRien n'a été enregistré\u00a0; sauvegardez à nouveau dans un instant.";
        QTest::newRow("lock not a file")
            << SaveFailure::LockNotAFile << lock << "un tube de communication"
            << ""
            << "Le fichier de verrouillage «\u00a0/d/prrep.txt.lock\u00a0» n'est pas un fichier ordinaire\u00a0: c'est "
               "un tube de communication. Le programme ne peut pas s'en servir\u00a0; supprimez-le, puis sauvegardez "
               "à nouveau.\r\nRien n'a été enregistré.";
        QTest::newRow("lock not removable")
            << SaveFailure::LockNotRemovable << lock << "le disque est en lecture seule"
            << ""
            << "Le fichier de verrouillage «\u00a0/d/prrep.txt.lock\u00a0» existe déjà et ne peut pas être "
               "supprimé\u00a0: le disque est en lecture seule. Si aucun autre exemplaire du programme n'enregistre "
               "en ce moment, supprimez-le vous-même, puis sauvegardez à nouveau.\r\nRien n'a été enregistré.";
        QTest::newRow("lock far too large")
            << SaveFailure::LockTooLarge << lock << ""
            << ""
            << "Le fichier de verrouillage «\u00a0/d/prrep.txt.lock\u00a0» est bien trop grand pour être un verrou du "
               "programme\u00a0; supprimez-le, puis sauvegardez à nouveau.\r\nRien n'a été enregistré.";
        QTest::newRow("lock not created")
            << SaveFailure::LockNotCreated << lock << "le disque est en lecture seule"
            << ""
            << "Le fichier de verrouillage «\u00a0/d/prrep.txt.lock\u00a0» n'a pas pu être créé\u00a0: le disque est "
               "en lecture seule.\r\nRien n'a été enregistré.";
        QTest::newRow("directory not created")
            << SaveFailure::DirectoryNotCreated << txt << "le disque est plein"
            << ""
            << "Le fichier des personnes «\u00a0/d/prrep.txt\u00a0» n'a pas pu être créé\u00a0: le disque est "
               "plein.\r\nRien n'a été enregistré.";
        QTest::newRow("backup not written")
            << SaveFailure::BackupNotWritten << bak << "le disque est plein"
            << ""
            << "La copie de sauvegarde «\u00a0/d/prrep.bak\u00a0» n'a pas pu être écrite\u00a0: le disque est "
               "plein.\r\nRien n'a été enregistré\u00a0; le fichier des personnes est resté tel qu'il était.";
        QTest::newRow("directory not written")
            << SaveFailure::DirectoryNotWritten << txt << "le disque est plein"
            << ""
            << "Le fichier des personnes «\u00a0/d/prrep.txt\u00a0» n'a pas pu être écrit\u00a0: le disque est "
               "plein.\r\nRien n'a été enregistré\u00a0; il est resté tel qu'il était.";
        QTest::newRow("directory not replaced")
            << SaveFailure::DirectoryNotReplaced << txt << "le disque est plein"
            << ""
            << "Le fichier des personnes «\u00a0/d/prrep.txt\u00a0» n'a pas pu être écrit\u00a0: le disque est "
               "plein.\r\nIl est resté tel qu'il était.";
    }
    void saveMessagesAreWorded()
    {
        QFETCH(SaveFailure, failure);
        QFETCH(QString, subject);
        QFETCH(QString, detail);
        QFETCH(QString, second);
        QFETCH(QString, message);
        QCOMPARE(saveMessage(failure, subject, detail, second), QDir::toNativeSeparators(message));
    }

    void noFileWithBothLines()
    {
        QVERIFY(!save(user("Durand", "Anne"), partner("Martin", "Luc")));
        QCOMPARE(bytes(txt()), QByteArray("\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n"
                                          "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n"));
        QVERIFY(!QFile::exists(bak()));
        QVERIFY(m_questions.isEmpty());
    }

    void noFileNoCompleteLineGivesAnEmptyFile()
    {
        QVERIFY(!save(user("Durand", ""), partner("", "Luc")));
        QVERIFY(QFile::exists(txt()));
        QCOMPARE(bytes(txt()), QByteArray());
        QVERIFY(!QFile::exists(bak()));
    }

    void existingFileNoCompleteLineRewritesAndBacksUp()
    {
        write(txt(), kStoredRecord);
        QVERIFY(!save(PersonRecord{}, PersonRecord{}));
        QCOMPARE(bytes(bak()), kStoredRecord);
        QCOMPARE(bytes(txt()), kStoredRecord);
    }

    void replacingAskedAndAnswered()
    {
        write(txt(), "\"Durand\",\"Anne\",\"1\",\"0\",\"2\",\"900000000\"\r\n\"X\",\"Y\",\"2\",\"\",\"\",\"\"\r\n");
        m_answers = {false};
        QVERIFY(!save(user("Durand", "Anne"), partner("Martin", "Luc")));
        QCOMPARE(m_questions, QStringList{"Anne Durand a déjà été enregistré, modifier ?"});
        QCOMPARE(m_icons, QList<bool>{true});
        QCOMPARE(bytes(txt()), QByteArray("\"Durand\",\"Anne\",\"1\",\"0\",\"2\",\"900000000\"\r\n"
                                          "\"X\",\"Y\",\"2\",\"\",\"\",\"\"\r\n"
                                          "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n"));

        m_questions.clear();
        m_answers = {true, true};
        QVERIFY(!save(user("Durand", "Anne", "6", "5", "7", "012345678"), partner("X", "Y", "8")));
        QCOMPARE(m_questions.size(), 2);
        QCOMPARE(m_icons, (QList<bool>{true, true, false}));
        QCOMPARE(bytes(txt()), QByteArray("\"Durand\",\"Anne\",\"6\",\"5\",\"7\",\"012345678\"\r\n"
                                          "\"X\",\"Y\",\"8\",\"\",\"\",\"\"\r\n"
                                          "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n"));
    }

    void caseAndAccentsMakeDifferentPersons()
    {
        write(txt(), "\"Durand\",\"Anne\",\"1\",\"0\",\"2\",\"900000000\"\r\n");
        QVERIFY(!save(user("durand", "Anne"), partner("Durand", "Anné")));
        QVERIFY(m_questions.isEmpty());
        QCOMPARE(bytes(txt()).count('\n'), 3);
    }

    void samePairOnBothLines()
    {
        QVERIFY(!save(user("Durand", "Anne"), partner("Durand", "Anne")));
        QCOMPARE(bytes(txt()).count('\n'), 2);
        QVERIFY(bytes(txt()).startsWith("\"Durand\",\"Anne\",\"5\""));

        // With a stored record: both asked, the user's values replace it and the partner's record is appended.
        write(txt(), "\"Durand\",\"Anne\",\"1\",\"0\",\"2\",\"900000000\"\r\n");
        m_answers = {true, true};
        QVERIFY(!save(user("Durand", "Anne"), partner("Durand", "Anne")));
        QCOMPARE(m_questions.size(), 2);
        QCOMPARE(bytes(txt()), QByteArray("\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n"
                                          "\"Durand\",\"Anne\",\"3\",\"\",\"\",\"\"\r\n"));
    }

    void untouchedRecordsKeepTheirBytes()
    {
        // Bytes 0x80-0x9F in names, text after a closing quote, LF-only and CR-only (old Mac) line ends.
        const QByteArray odd = "\"\x80\x81\x8d\x9f\",\"\x8f\x90\x9d\",\"\",\"\",\"\",\"\" ";
        const QByteArray skipped = "\"A\"junk,\"B\",\"1\",\"0\",\"0\",\"000000000\"";
        const QByteArray mac = "\"Mac\",\"Os\",\"2\",\"\",\"\",\"\"";
        write(txt(), odd + "\n" + skipped + "\r" + mac + "\r");
        QVERIFY(!save(user("New", "One"), PersonRecord{}));
        QCOMPARE(bytes(txt()),
                 odd + "\r\n" + skipped + "\r\n" + mac + "\r\n" + formatRecordLine(user("New", "One")) + "\r\n");
        QCOMPARE(bytes(bak()), odd + "\n" + skipped + "\r" + mac + "\r");
    }

    void refusesCharactersThatCannotBeStored_data()
    {
        QTest::addColumn<PersonRecord>("userRecord");
        QTest::addColumn<PersonRecord>("partnerRecord");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("partnerLine");
        QTest::addColumn<int>("field");
        QTest::newRow("double quote in the user's name")
            << user("Du\"rand", "Anne") << PersonRecord{}
            << "le champ «\u00a0Nom\u00a0» contient le caractère «\u00a0\"\u00a0»" << false
            << int(RecordField::LastName);
        QTest::newRow("semicolon in the partner's first name")
            << PersonRecord{} << partner("Martin", "L;uc")
            << "le champ «\u00a0Prénom du partenaire\u00a0» contient le caractère «\u00a0;\u00a0»" << true
            << int(RecordField::FirstName);
        QTest::newRow("tab in a name") << user("Durand", "An\tne") << PersonRecord{}
                                       << "le champ «\u00a0Prénom\u00a0» contient un caractère de contrôle (U+0009)"
                                       << false << int(RecordField::FirstName);
        QTest::newRow("character outside Windows-1252")
            << PersonRecord{} << partner("Ωmega", "Luc")
            << "le champ «\u00a0Nom du partenaire\u00a0» contient le caractère «\u00a0Ω\u00a0»" << true
            << int(RecordField::LastName);
        QTest::newRow("partner type") << PersonRecord{} << partner("Martin", "Luc", "4\"")
                                      << "«\u00a0Type Ennéagramme du partenaire\u00a0»" << true
                                      << int(RecordField::Type);
        // Invisible and combining characters are named by their code, since quoting them would show nothing.
        const std::pair<const char16_t*, const char*> named[] = {
            {u"Du\u200Frand", "le caractère invisible U+200F (marque de droite à gauche)"},
            {u"Du\u200Erand", "le caractère invisible U+200E (marque de gauche à droite)"},
            {u"Du\u200Brand", "le caractère invisible U+200B (espace sans chasse)"},
            {u"Du\uFEFFrand", "le caractère invisible U+FEFF (marque d'ordre des octets)"},
            {u"Du\u202Erand", "le caractère invisible U+202E (forçage de droite à gauche)"},
            {u"Du\u2061rand", "le caractère invisible U+2061"},
            {u"Du\u00ADrand", "le caractère invisible U+00AD (trait d'union conditionnel)"},
            {u"Zoe\u0301", "le signe combinant U+0301 (accent aigu)"},
            {u"Zoe\u0308", "le signe combinant U+0308 (tréma)"},
            {u"Zoe\u0350", "le signe combinant U+0350"},
        };
        for (const auto& [name, shown] : named)
            QTest::addRow("%s", shown) << user(QString::fromUtf16(name), "Anne") << PersonRecord{}
                                       << "le champ «\u00a0Nom\u00a0» contient " + QString::fromUtf8(shown) +
                                              ", qui ne peut pas figurer dans le fichier"
                                       << false << int(RecordField::LastName);
    }
    void refusesCharactersThatCannotBeStored()
    {
        QFETCH(PersonRecord, userRecord);
        QFETCH(PersonRecord, partnerRecord);
        QFETCH(QString, message);
        QFETCH(bool, partnerLine);
        QFETCH(int, field);
        const QByteArray original = "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n";
        write(txt(), original);
        const auto problem = save(userRecord, partnerRecord);
        QVERIFY(problem);
        QVERIFY2(problem->message.contains(message), qPrintable(problem->message));
        QVERIFY(problem->fieldProblem);
        QCOMPARE(problem->partnerLine, partnerLine);
        QCOMPARE(int(problem->field), field);
        QCOMPARE(bytes(txt()), original);
        QVERIFY(!QFile::exists(bak()));
        QVERIFY(m_questions.isEmpty());
    }

    void incompleteCandidateIsNotChecked()
    {
        QVERIFY(!save(user("", "An;ne"), partner("Martin", "Luc")));
        QCOMPARE(bytes(txt()).count('\n'), 1);
    }

    void invalidLineRefusesTheSave()
    {
        const QByteArray original =
            "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n\"broken\r\n\"C\",\"D\",\"\",\"\",\"\",\"\"\r\n";
        write(txt(), original);
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QVERIFY2(problem->message.contains("La ligne 2 du fichier des personnes"), qPrintable(problem->message));
        QVERIFY(problem->message.contains(QDir::toNativeSeparators(txt())));
        QCOMPARE(bytes(txt()), original);
        QVERIFY(!QFile::exists(bak()));
    }

    void directoryPathIsAFolder()
    {
        QVERIFY(QDir().mkdir(txt()));
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message,
                 QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu\u00a0: c'est un "
                                "dossier, pas un fichier.\r\nRien n'a été enregistré.")
                     .arg(QDir::toNativeSeparators(txt())));
        QVERIFY(QFileInfo(txt()).isDir());
    }

    void backupPathIsAFolder()
    {
        write(txt(), kStoredRecord);
        QVERIFY(QDir().mkdir(bak()));
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QVERIFY2(problem->message.contains("La copie de sauvegarde"), qPrintable(problem->message));
        QVERIFY(problem->message.contains(QDir::toNativeSeparators(bak())));
        QCOMPARE(bytes(txt()), kStoredRecord);
    }

    void dataFolderIsARegularFile()
    {
        const QString file = m_dir->filePath("notafolder");
        write(file, "x");
        m_folder = file + "/";
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->failure, SaveFailure::LockNotCreated);
        QVERIFY2(problem->message.contains(QDir::toNativeSeparators(lockFilePath(m_folder)) +
                                           "\u00a0» n'a pas pu être créé"),
                 qPrintable(problem->message));
        QCOMPARE(bytes(file), QByteArray("x"));
    }

    // What another copy of the program saved while this one waited for an answer is kept: the directory is read
    // again once the questions are answered.
    void saveKeepsWhatWasSavedDuringTheQuestion()
    {
        write(txt(), "\"Durand\",\"Anne\",\"1\",\"0\",\"2\",\"900000000\"\r\n");
        const QByteArray other = "\"Autre\",\"Personne\",\"7\",\"\",\"\",\"\"\r\n";
        const auto problem =
            PersonDirectory(m_folder).save(user("Durand", "Anne"), PersonRecord{}, [&](const QString&, bool) {
                write(txt(), bytes(txt()) + other);
                return true;
            });
        QVERIFY(!problem);
        QCOMPARE(bytes(txt()), "\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n" + other);
        QCOMPARE(bytes(bak()), "\"Durand\",\"Anne\",\"1\",\"0\",\"2\",\"900000000\"\r\n" + other);
    }

    // A person saved meanwhile under the same names is not replaced without asking.
    void personSavedDuringTheQuestionIsAskedAbout()
    {
        write(txt(), "\"X\",\"Y\",\"1\",\"\",\"\",\"\"\r\n");
        const QByteArray theirs = "\"Martin\",\"Luc\",\"9\",\"\",\"\",\"\"\r\n";
        QStringList asked;
        const auto problem = PersonDirectory(m_folder).save(user("X", "Y"), partner("Martin", "Luc"),
                                                            [&](const QString& question, bool) {
                                                                asked << question;
                                                                if (asked.size() == 1)
                                                                    write(txt(), bytes(txt()) + theirs);
                                                                return asked.size() == 1;
                                                            });
        QVERIFY(!problem);
        QCOMPARE(asked, (QStringList{"Y X a déjà été enregistré, modifier ?",
                                     "Luc Martin a déjà été enregistré, modifier ?"}));
        QCOMPARE(bytes(txt()), "\"X\",\"Y\",\"5\",\"4\",\"0\",\"361792450\"\r\n" + theirs);
    }

    void anotherSaveHoldingTheLockIsWaitedForThenReported()
    {
        write(txt(), kStoredRecord);
        QLockFile other(lockFilePath(m_folder));
        QVERIFY(other.tryLock(0));
        PersonDirectory directory(m_folder);
        directory.setLockWait(50);
        const auto problem = directory.save(user("New", "One"), PersonRecord{}, confirm());
        QVERIFY(problem);
        QCOMPARE(problem->message, saveMessage(SaveFailure::LockBusy, txt()));
        QCOMPARE(bytes(txt()), kStoredRecord);
        QVERIFY(!QFile::exists(bak()));

        other.unlock();
        QVERIFY(!directory.save(user("New", "One"), PersonRecord{}, confirm()));
        QCOMPARE(bytes(txt()).count('\n'), 2);
    }

    // A disk that fails only when the new file is synced, or a final rename that fails: the save stops with the
    // reason, and no file holds anything but what it held before (the backup, once in place, holds the directory).
    void injectedWriteFaultsLeaveTheFilesAsTheyWere_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("atBackup");
        QTest::addColumn<int>("error");
        QTest::addColumn<SaveFailure>("failure");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("backupReplaced");
        QTest::newRow("sync of the new directory fails")
            << int(fileaccess::WriteStep::Sync) << false << EIO << SaveFailure::DirectoryNotWritten
            << "erreur de lecture ou d'écriture sur le disque" << false;
        QTest::newRow("sync of the new backup fails, disk full")
            << int(fileaccess::WriteStep::Sync) << true << ENOSPC << SaveFailure::BackupNotWritten
            << "le disque est plein" << false;
        QTest::newRow("rename of the backup fails")
            << int(fileaccess::WriteStep::Rename) << true << EACCES << SaveFailure::BackupNotWritten
            << "l'accès est refusé (droits insuffisants)" << false;
        QTest::newRow("final rename of the directory fails")
            << int(fileaccess::WriteStep::Rename) << false << EBUSY << SaveFailure::DirectoryNotReplaced
            << "le fichier est utilisé par un autre programme" << true;
    }
    void injectedWriteFaultsLeaveTheFilesAsTheyWere()
    {
        QFETCH(int, step);
        QFETCH(bool, atBackup);
        QFETCH(int, error);
        QFETCH(SaveFailure, failure);
        QFETCH(QString, reason);
        QFETCH(bool, backupReplaced);
        const QByteArray olderBackup = "\"Ancien\",\"Contenu\",\"2\",\"\",\"\",\"\"\r\n";
        write(txt(), kStoredRecord);
        write(bak(), olderBackup);
        const QString failing = atBackup ? bak() : txt();
        fileaccess::setFaultInjector([&](fileaccess::WriteStep at, const QString& path) {
            return int(at) == step && path == failing ? error : 0;
        });
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message, saveMessage(failure, failing, reason));
        QCOMPARE(bytes(txt()), kStoredRecord);
        QCOMPARE(bytes(bak()), backupReplaced ? kStoredRecord : olderBackup);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file left
    }

    // A save may not leave a directory the program could not read back: every later opening and save would fail.
    void saveThatWouldPassTheReadingLimitIsRefused_data()
    {
        QTest::addColumn<qint64>("existing"); // size of the directory before the save; -1: none
        QTest::addColumn<int>("addedName");   // length of the added person's last name
        QTest::addColumn<bool>("refused");
        const qint64 limit = 1024 * 1024;
        const int added = int(formatRecordLine(user("N", "One")).size()) + 2;
        QTest::newRow("one person more than the limit") << limit - added + 1 << 1 << true;
        QTest::newRow("ending exactly at the limit") << limit - added << 1 << false;
        QTest::newRow("first person, larger than the limit") << qint64(-1) << int(limit) << true;
    }
    void saveThatWouldPassTheReadingLimitIsRefused()
    {
        QFETCH(qint64, existing);
        QFETCH(int, addedName);
        QFETCH(bool, refused);
        QByteArray original;
        if (existing >= 0) {
            const QByteArray tail = "\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
            original = '"' + QByteArray(existing - tail.size() - 1, 'a') + tail;
            write(txt(), original);
        }
        PersonDirectory directory(m_folder);
        directory.setSizeLimit(1024 * 1024);
        const auto problem = directory.save(user(QString(addedName, u'N'), "One"), PersonRecord{}, confirm());
        if (!refused) {
            QVERIFY(!problem);
            QCOMPARE(QFileInfo(txt()).size(), 1024 * 1024);
            return;
        }
        QVERIFY(problem);
        QCOMPARE(problem->message, saveMessage(SaveFailure::TooLarge, txt(), "1"));
        QCOMPARE(bytes(txt()), existing >= 0 ? original : QByteArray("<missing>"));
        QVERIFY(!QFile::exists(bak()));
    }

    void backupKeepsTheDirectorysPermissions()
    {
#ifndef Q_OS_UNIX
        QSKIP("Unix file modes");
#else
        write(txt(), "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n");
        write(bak(), "older");
        const auto owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QVERIFY(QFile::setPermissions(txt(), owner));
        QVERIFY(QFile::setPermissions(bak(), owner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(!save(user("New", "One"), PersonRecord{}));
        QCOMPARE(QFile::permissions(bak()) & ~(QFile::ExeOwner | QFile::ExeUser), owner);
        QCOMPARE(QFile::permissions(txt()), QFile::permissions(bak()));
#endif
    }

    // A pipe or a device where a file should be is refused at once: reading it would hang or never end.
    void otherThanAFileIsRefused_data()
    {
        QTest::addColumn<bool>("atBackup");
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe as the directory") << false << "fifo";
        QTest::newRow("link to an endless device as the directory") << false << "zero";
        QTest::newRow("pipe as the backup") << true << "fifo";
    }
    void otherThanAFileIsRefused()
    {
#ifndef Q_OS_UNIX
        QSKIP("pipes and a link to /dev/zero are made here with Unix calls");
#else
        QFETCH(bool, atBackup);
        QFETCH(QString, kind);
        const QString odd = atBackup ? bak() : txt();
        if (atBackup)
            write(txt(), kStoredRecord);
        if (kind == "fifo")
            QCOMPARE(mkfifo(QFile::encodeName(odd).constData(), 0600), 0);
        else
            QVERIFY(QFile::link("/dev/zero", odd));
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QVERIFY2(problem->message.contains("n'est pas un fichier ordinaire") ||
                     problem->message.contains("ce n'est pas un fichier ordinaire"),
                 qPrintable(problem->message));
        QVERIFY(problem->message.endsWith("Rien n'a été enregistré."));
        QVERIFY(!QFileInfo(odd).isFile());
        if (atBackup)
            QCOMPARE(bytes(txt()), kStoredRecord);
        else
            QVERIFY(!QFile::exists(bak()));
#endif
    }

    // A lock the program cannot use stops the save before anything is written.
    void unusableLockStopsTheSave()
    {
#ifndef Q_OS_UNIX
        QSKIP("a named pipe in a folder is a Unix facility");
#else
        write(txt(), kStoredRecord);
        QCOMPARE(mkfifo(QFile::encodeName(lockFilePath(m_folder)).constData(), 0600), 0);
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message,
                 saveMessage(SaveFailure::LockNotAFile, lockFilePath(m_folder), "un tube de communication"));
        QCOMPARE(bytes(txt()), kStoredRecord);
        QVERIFY(!QFile::exists(bak()));
#endif
    }

    // prrep.bak is written through QSaveFile, which follows links: the file a link leads to would be overwritten,
    // and a backup that is the directory itself would be no backup.
    void backupThatIsNotAFileOfItsOwnIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<SaveFailure>("failure");
        QTest::newRow("backup is a link to a file elsewhere") << "outside" << SaveFailure::BackupIsLink;
        QTest::newRow("backup is a link to the directory") << "toDirectory" << SaveFailure::BackupIsLink;
        QTest::newRow("directory is a link to the backup") << "fromDirectory" << SaveFailure::BackupIsDirectory;
        QTest::newRow("backup is a second name of the directory") << "hardlink" << SaveFailure::BackupIsDirectory;
    }
    void backupThatIsNotAFileOfItsOwnIsRefused()
    {
#ifndef Q_OS_UNIX
        QSKIP("symbolic and hard links are made here with Unix calls");
#else
        QFETCH(QString, kind);
        QFETCH(SaveFailure, failure);
        const QString outside = m_dir->filePath("elsewhere.txt");
        write(outside, "kept");
        if (kind == "outside") {
            write(txt(), kStoredRecord);
            QVERIFY(QFile::link(outside, bak()));
        } else if (kind == "toDirectory") {
            write(txt(), kStoredRecord);
            QVERIFY(QFile::link(txt(), bak()));
        } else if (kind == "fromDirectory") {
            write(bak(), kStoredRecord);
            QVERIFY(QFile::link(bak(), txt()));
        } else {
            write(txt(), kStoredRecord);
            QCOMPARE(link(QFile::encodeName(txt()).constData(), QFile::encodeName(bak()).constData()), 0);
        }
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message, failure == SaveFailure::BackupIsLink ? saveMessage(failure, bak())
                                                                        : saveMessage(failure, txt(), {}, bak()));
        QCOMPARE(bytes(txt()), kStoredRecord);
        QCOMPARE(bytes(bak()), kind == "outside" ? QByteArray("kept") : kStoredRecord);
        QCOMPARE(bytes(outside), QByteArray("kept"));
#endif
    }

    // Two copies whose data folders link to one file share one lock, beside that file: one waits for the other.
    void foldersLinkingToOneFileShareItsLock()
    {
#ifndef Q_OS_UNIX
        QSKIP("QFile::link makes a shortcut on Windows, not a symbolic link");
#else
        QVERIFY(QDir().mkdir(m_dir->filePath("synced")) && QDir().mkdir(m_dir->filePath("b")));
        const QString shared = m_dir->filePath("synced/prrep.txt");
        write(shared, kStoredRecord);
        QVERIFY(QFile::link(shared, txt()));
        const QString other = m_dir->filePath("b/");
        QVERIFY(QFile::link(shared, directoryFilePath(other)));
        QCOMPARE(lockFilePath(m_folder), shared + ".lock");
        QLockFile first(lockFilePath(m_folder));
        QVERIFY(first.tryLock(0));
        PersonDirectory second(other);
        second.setLockWait(0);
        const auto problem = second.save(user("New", "One"), PersonRecord{}, confirm());
        QVERIFY(problem);
        QCOMPARE(problem->message, saveMessage(SaveFailure::LockBusy, directoryFilePath(other)));
        QCOMPARE(bytes(shared), kStoredRecord);
#endif
    }

    // The final rename itself fails, the new directory written and synced: told, and nothing but the backup changed.
    void failedFinalRenameIsTold()
    {
#ifndef Q_OS_UNIX
        QSKIP("Windows refuses a rename over a folder as an access refusal, not as a folder");
#else
        write(txt(), kStoredRecord);
        fileaccess::setFaultInjector([this](fileaccess::WriteStep step, const QString& path) {
            if (step == fileaccess::WriteStep::Rename && path == txt()) {
                QFile::rename(txt(), txt() + ".aside");
                QDir().mkdir(txt());
            }
            return 0;
        });
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message,
                 saveMessage(SaveFailure::DirectoryNotReplaced, txt(), "c'est un dossier, pas un fichier"));
        QCOMPARE(bytes(txt() + ".aside"), kStoredRecord);
        QCOMPARE(bytes(bak()), kStoredRecord);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file left
#endif
    }

    // Users keep the directory in a synchronised folder and link to it: the link stays, the file it leads to is
    // rewritten.
    void directoryLinkToAFileElsewhereIsFollowed()
    {
#ifndef Q_OS_UNIX
        QSKIP("QFile::link makes a shortcut on Windows, not a symbolic link");
#else
        QVERIFY(QDir().mkdir(m_dir->filePath("synced")));
        const QString target = m_dir->filePath("synced/prrep.txt");
        write(target, kStoredRecord);
        QVERIFY(QFile::link(target, txt()));
        QVERIFY(!save(user("New", "One"), PersonRecord{}));
        QCOMPARE(QFileInfo(txt()).symLinkTarget(), target);
        QCOMPARE(bytes(target), kStoredRecord + formatRecordLine(user("New", "One")) + "\r\n");
        QCOMPARE(bytes(bak()), kStoredRecord);
        QVERIFY(!QFileInfo(bak()).isSymLink());
#endif
    }

    // Under the usual umask, new files would be readable by every local user; existing ones keep their mode.
    void newFilesAreForTheirOwnerOnly_data()
    {
        QTest::addColumn<int>("existingMode"); // of the directory before the save; 0: none
        QTest::addColumn<int>("directoryMode");
        QTest::addColumn<int>("backupMode"); // 0: no backup
        QTest::newRow("new directory") << 0 << 0600 << 0;
        QTest::newRow("directory readable by all, first backup") << 0644 << 0644 << 0600;
    }
    void newFilesAreForTheirOwnerOnly()
    {
#ifndef Q_OS_UNIX
        QSKIP("Unix file modes and umask");
#else
        QFETCH(int, existingMode);
        QFETCH(int, directoryMode);
        QFETCH(int, backupMode);
        if (existingMode != 0) {
            write(txt(), "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n");
            QCOMPARE(chmod(QFile::encodeName(txt()).constData(), mode_t(existingMode)), 0);
        }
        const mode_t savedMask = umask(022);
        const auto problem = save(user("New", "One"), PersonRecord{});
        umask(savedMask);
        QVERIFY(!problem);
        const auto mode = [](const QString& path) {
            struct stat st = {};
            return stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : 0;
        };
        QCOMPARE(mode(txt()), directoryMode);
        QCOMPARE(mode(bak()), backupMode);
#endif
    }

    // A full disk, simulated by a limit on file size: the write fails part-way, for a small file (still in Qt's
    // buffer when the write returns) and a large one. Both files must stay byte for byte as they were.
    void fullDiskLeavesBothFilesAsTheyWere_data()
    {
        QTest::addColumn<int>("persons");
        QTest::addColumn<bool>("backupFits");
        QTest::addColumn<QString>("failing");
        QTest::newRow("two persons, the new directory does not fit") << 2 << true << "Le fichier des personnes";
        QTest::newRow("two persons, the backup does not fit") << 2 << false << "La copie de sauvegarde";
        QTest::newRow("5,000 persons, the new directory does not fit") << 5000 << true << "Le fichier des personnes";
        QTest::newRow("5,000 persons, the backup does not fit") << 5000 << false << "La copie de sauvegarde";
    }
    void fullDiskLeavesBothFilesAsTheyWere()
    {
#ifndef Q_OS_UNIX
        QSKIP("a full disk is simulated with setrlimit, a Unix facility");
#else
        QFETCH(int, persons);
        QFETCH(bool, backupFits);
        QFETCH(QString, failing);
        QByteArray original;
        for (int i = 0; i < persons; ++i)
            original += formatRecordLine(user(QStringLiteral("Nom de famille assez long %1").arg(i),
                                              QStringLiteral("Prénom composé %1").arg(i))) +
                        "\r\n";
        const QByteArray olderBackup = "\"Ancien\",\"Contenu\",\"2\",\"\",\"\",\"\"\r\n";
        write(txt(), original);
        write(bak(), olderBackup);
        const PersonRecord added = user("Nouvelle personne au nom tres long", "Marie-Bérénice Éléonore");
        const qsizetype added_size = formatRecordLine(added).size() + 2;
        const rlim_t limit = rlim_t(backupFits ? original.size() + added_size / 2 : original.size() - 1);

        signal(SIGXFSZ, SIG_IGN);
        rlimit saved = {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = limit;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const auto problem = save(added, PersonRecord{});
        setrlimit(RLIMIT_FSIZE, &saved);

        QVERIFY(problem);
        QVERIFY2(problem->message.startsWith(failing), qPrintable(problem->message));
        QVERIFY2(problem->message.contains("dépasse la taille permise"), qPrintable(problem->message));
        QVERIFY(problem->message.contains("Rien n'a été enregistré"));
        QCOMPARE(bytes(txt()), original);
        QCOMPARE(bytes(bak()), olderBackup);
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file left
#endif
    }

    // The same on a real, small file system filled to the last byte, where the system allows mounting one.
    void realFullDiskLeavesBothFilesAsTheyWere()
    {
#ifndef Q_OS_LINUX
        QSKIP("mounting a small file system is done with Linux calls");
#else
        const QString mountPoint = m_dir->filePath("small");
        QVERIFY(QDir().mkpath(mountPoint));
        if (geteuid() != 0 || mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("mounting a small file system needs root");
        m_folder = mountPoint + "/";
        const QByteArray original = "\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n"
                                    "\"Martin\",\"Luc\",\"3\",\"\",\"\",\"\"\r\n";
        const QByteArray olderBackup = "\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n";
        write(txt(), original);
        write(bak(), olderBackup);
        {
            QFile filler(m_folder + "filler");
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(512, 'x');
            while (filler.write(block) == block.size()) {
            }
            while (filler.write("x", 1) == 1) {
            }
        }
        const auto problem = save(user("Nouveau", "Venu"), PersonRecord{});
        const QByteArray txtAfter = bytes(txt());
        const QByteArray bakAfter = bytes(bak());
        const QStringList left = QDir(m_folder).entryList(QDir::Files | QDir::Hidden);
        umount(QFile::encodeName(mountPoint).constData());

        QVERIFY(problem);
        QVERIFY2(problem->message.contains("le disque est plein"), qPrintable(problem->message));
        QCOMPARE(txtAfter, original);
        QCOMPARE(bakAfter, olderBackup);
        QCOMPARE(left, (QStringList{"filler", "prrep.bak", "prrep.txt"}));
#endif
    }
};

QTEST_GUILESS_MAIN(TestDirectorySave)
#include "tst_directorysave.moc"

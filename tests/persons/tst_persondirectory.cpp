#include "persons/PersonDirectory.h"
#include "platform/FileAccess.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

namespace {

PersonRecord user(const QString& last, const QString& first, const QString& type = "5", const QString& w1 = "4",
                  const QString& w2 = "0", const QString& profile = "361792450")
{
    return {last, first, type, w1, w2, profile};
}

PersonRecord partner(const QString& last, const QString& first, const QString& type = "3")
{
    return {last, first, type, "", "", ""};
}

} // namespace

Q_DECLARE_METATYPE(PersonRecord)

class TestPersonDirectory : public QObject
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

    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    static void write(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // %1 and %2 in a message replaced by the paths of the directory and the backup, as the user sees them.
    QString withPaths(QString message) const
    {
        return message.replace("%1", QDir::toNativeSeparators(txt())).replace("%2", QDir::toNativeSeparators(bak()));
    }

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

    void writeLock(const QByteArray& content, int ageSeconds) const
    {
        QFile lock(lockFilePath(m_folder));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        QCOMPARE(lock.write(content), content.size());
        QVERIFY(lock.flush());
        QVERIFY(
            lock.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    }

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

    void recordLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("valid");
        QTest::newRow("user record") << QByteArray("\"Nom\",\"Prénom\",\"5\",\"4\",\"0\",\"361792450\"") << true;
        QTest::newRow("partner record") << QByteArray("\"Nom\",\"Prénom\",\"3\",\"\",\"\",\"\"") << true;
        QTest::newRow("text after a closing quote is skipped")
            << QByteArray("\"a\"x,\"b\",\"\",\"\",\"\",\"\"") << true;
        QTest::newRow("five fields") << QByteArray("\"a\",\"b\",\"\",\"\",\"\"") << false;
        QTest::newRow("seven fields") << QByteArray("\"a\",\"b\",\"\",\"\",\"\",\"\",\"\"") << false;
        QTest::newRow("field without quotes") << QByteArray("a,\"b\",\"\",\"\",\"\",\"\"") << false;
        QTest::newRow("quote never closed") << QByteArray("\"a\",\"b\",\"\",\"\",\"\",\"oops") << false;
        QTest::newRow("empty line") << QByteArray() << false;
    }
    void recordLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, valid);
        QCOMPARE(parseRecordLine(line).has_value(), valid);
    }

    void formatAndParseAgree()
    {
        const PersonRecord record = user("Nom", "Prénom", "5", "4", "0", "361792450");
        const QByteArray line = formatRecordLine(record);
        QCOMPARE(line, QByteArray("\"Nom\",\"Pr\xe9nom\",\"5\",\"4\",\"0\",\"361792450\""));
        QCOMPARE(parseRecordLine(line), std::optional(record));
    }

    void profileField_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QList<int>>("scores");
        QTest::newRow("nine digits") << "361792450" << QList<int>{3, 6, 1, 7, 9, 2, 4, 5, 0};
        QTest::newRow("partner record, empty") << "" << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("short, letters and extra characters") << "1x3-5" << QList<int>{1, 0, 3, 0, 5, 0, 0, 0, 0};
        QTest::newRow("characters after the ninth ignored") << "9876543217" << QList<int>{9, 8, 7, 6, 5, 4, 3, 2, 1};
    }
    void profileField()
    {
        QFETCH(QString, profile);
        QFETCH(QList<int>, scores);
        const std::array<qint16, 10> read = scoresFromProfile(profile);
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(int(read[std::size_t(i)]), scores[i - 1]);
        QCOMPARE(profileDigits({0, 3, 6, 1, 7, 9, 2, 4, 5, 0}), QStringLiteral("361792450"));
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
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        write(txt(), original);
        QVERIFY(!save(PersonRecord{}, PersonRecord{}));
        QCOMPARE(bytes(bak()), original);
        QCOMPARE(bytes(txt()), original);
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
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        write(txt(), original);
        QVERIFY(QDir().mkdir(bak()));
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QVERIFY2(problem->message.contains("La copie de sauvegarde"), qPrintable(problem->message));
        QVERIFY(problem->message.contains(QDir::toNativeSeparators(bak())));
        QCOMPARE(bytes(txt()), original);
    }

    void dataFolderIsARegularFile()
    {
        const QString file = m_dir->filePath("notafolder");
        write(file, "x");
        m_folder = file + "/";
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QVERIFY2(problem->message.contains("n'a pas pu être créé"), qPrintable(problem->message));
        QCOMPARE(bytes(file), QByteArray("x"));
    }

    void rebuildPlacesCandidates()
    {
        QByteArray file;
        for (const PersonRecord& r : {user("A", "1"), user("B", "2"), user("A", "1", "9")})
            file += formatRecordLine(r) + "\r\n";
        const DirectoryContent content = parseDirectory(file);
        const PersonRecord newA = user("A", "1", "7");
        const PersonRecord newC = partner("C", "3");
        QCOMPARE(rebuildDirectory(content, &newA, &newC),
                 QByteArray("\"A\",\"1\",\"7\",\"4\",\"0\",\"361792450\"\r\n"
                            "\"B\",\"2\",\"5\",\"4\",\"0\",\"361792450\"\r\n"
                            "\"A\",\"1\",\"9\",\"4\",\"0\",\"361792450\"\r\n" // only the first is replaced
                            "\"C\",\"3\",\"3\",\"\",\"\",\"\"\r\n"));
    }

    // Blank lines (a hand edit, a trailing empty line) hold nobody: they are skipped and not written back.
    void blankLinesAreSkipped()
    {
        write(txt(),
              "\r\n\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n  \r\n\n\"C\",\"D\",\"\",\"\",\"\",\"\"\r\n\r\n");
        QVERIFY(!save(user("New", "One"), PersonRecord{}));
        QCOMPARE(bytes(txt()), QByteArray("\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n"
                                          "\"C\",\"D\",\"\",\"\",\"\",\"\"\r\n"
                                          "\"New\",\"One\",\"5\",\"4\",\"0\",\"361792450\"\r\n"));
    }

    void invalidLinesSayWhatIsWrong_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QByteArray good = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        QTest::newRow("fields missing")
            << good + "\"A\",\"B\",\"1\"\r\n"
            << "La ligne 2 du fichier des personnes «\u00a0%1\u00a0» n'est pas un enregistrement "
               "valide\u00a0: il manque des champs (il en faut six, entre guillemets et séparés "
               "par des virgules).";
        QTest::newRow("quote not closed")
            << good + good + "\"A\",\"B\",\"1\",\"0\",\"2\",\"9000\r\n"
            << "La ligne 3 du fichier des personnes «\u00a0%1\u00a0» n'est pas un enregistrement "
               "valide\u00a0: un guillemet ouvert n'est jamais refermé.";
        QTest::newRow("field without quotes") << QByteArray("A,\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n")
                                              << "La ligne 1 du fichier des personnes «\u00a0%1\u00a0» n'est pas un "
                                                 "enregistrement valide\u00a0: un champ n'est pas entre guillemets.";
        QTest::newRow("seven fields")
            << good + "\"A\",\"B\",\"1\",\"0\",\"2\",\"9\",\"x\"\r\n"
            << "La ligne 2 du fichier des personnes «\u00a0%1\u00a0» n'est pas un enregistrement "
               "valide\u00a0: elle a plus de six champs.";
        QTest::newRow("UTF-8 with a byte-order mark")
            << "\xEF\xBB\xBF" + good
            << "Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu tel quel\u00a0: il est encodé en UTF-8 "
               "avec une marque d'ordre des octets (BOM), alors qu'il doit l'être en Windows-1252 (ANSI).";
        QTest::newRow("UTF-16")
            << QByteArray("\xFF\xFE\"\0A\0\"\0", 8)
            << "Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu tel quel\u00a0: il est encodé en "
               "UTF-16, alors qu'il doit l'être en Windows-1252 (ANSI).";
        QTest::newRow("UTF-16 without a byte-order mark")
            << QByteArray("\"\0A\0\"\0,\0", 8)
            << "Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu tel quel\u00a0: il est encodé en "
               "UTF-16, alors qu'il doit l'être en Windows-1252 (ANSI).";
        QTest::newRow("UTF-8 without a byte-order mark")
            << good + "\"Lef\xC3\xA8vre\",\"Zo\xC3\xA9\",\"1\",\"\",\"\",\"\"\r\n"
            << "Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu tel quel\u00a0: il est encodé en UTF-8, "
               "alors qu'il doit l'être en Windows-1252 (ANSI).";
        QTest::newRow("zero byte after the last record")
            << good + good + QByteArray(1, '\0')
            << "La ligne 3 du fichier des personnes «\u00a0%1\u00a0» n'est pas un enregistrement valide\u00a0: "
               "elle contient un octet nul (0x00), absent de tout fichier texte.";
    }
    void invalidLinesSayWhatIsWrong()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        write(txt(), content);
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message, message.arg(QDir::toNativeSeparators(txt())) +
                                       "\r\nRien n'a été enregistré, pour ne perdre aucune donnée.");
        QCOMPARE(bytes(txt()), content);
        QVERIFY(!QFile::exists(bak()));
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
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        write(txt(), original);
        QLockFile other(lockFilePath(m_folder));
        QVERIFY(other.tryLock(0));
        PersonDirectory directory(m_folder);
        directory.setLockWait(50);
        const auto problem = directory.save(user("New", "One"), PersonRecord{}, confirm());
        QVERIFY(problem);
        QCOMPARE(problem->message,
                 QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» est en cours d'enregistrement par "
                                "un autre exemplaire du programme.\r\nRien n'a été enregistré\u00a0; "
                                "sauvegardez à nouveau dans un instant.")
                     .arg(QDir::toNativeSeparators(txt())));
        QCOMPARE(bytes(txt()), original);
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
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("backupReplaced");
        const auto directoryFailed = [](const QString& reason, const QString& end) {
            return "Le fichier des personnes «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: " + reason + ".\r\n" + end;
        };
        const auto backupFailed = [](const QString& reason) {
            return "La copie de sauvegarde «\u00a0%2\u00a0» n'a pas pu être écrite\u00a0: " + reason +
                   ".\r\nRien n'a été enregistré\u00a0; le fichier des personnes est resté tel qu'il était.";
        };
        QTest::newRow("sync of the new directory fails")
            << int(fileaccess::WriteStep::Sync) << false << EIO
            << directoryFailed("erreur de lecture ou d'écriture sur le disque",
                               "Rien n'a été enregistré\u00a0; il est resté tel qu'il était.")
            << false;
        QTest::newRow("sync of the new backup fails, disk full")
            << int(fileaccess::WriteStep::Sync) << true << ENOSPC << backupFailed("le disque est plein") << false;
        QTest::newRow("rename of the backup fails")
            << int(fileaccess::WriteStep::Rename) << true << EACCES
            << backupFailed("l'accès est refusé (droits insuffisants)") << false;
        QTest::newRow("final rename of the directory fails")
            << int(fileaccess::WriteStep::Rename) << false << EBUSY
            << directoryFailed("le fichier est utilisé par un autre programme", "Il est resté tel qu'il était.")
            << true;
    }
    void injectedWriteFaultsLeaveTheFilesAsTheyWere()
    {
        QFETCH(int, step);
        QFETCH(bool, atBackup);
        QFETCH(int, error);
        QFETCH(QString, message);
        QFETCH(bool, backupReplaced);
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        const QByteArray olderBackup = "\"Ancien\",\"Contenu\",\"2\",\"\",\"\",\"\"\r\n";
        write(txt(), original);
        write(bak(), olderBackup);
        const QString failing = atBackup ? bak() : txt();
        fileaccess::setFaultInjector([&](fileaccess::WriteStep at, const QString& path) {
            return int(at) == step && path == failing ? error : 0;
        });
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message, withPaths(message));
        QCOMPARE(bytes(txt()), original);
        QCOMPARE(bytes(bak()), backupReplaced ? original : olderBackup);
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
        QCOMPARE(problem->message, QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» dépasserait 1\u00a0Mo, la "
                                                  "taille au-delà de laquelle le programme ne peut plus le lire.\r\n"
                                                  "Rien n'a été enregistré.")
                                       .arg(QDir::toNativeSeparators(txt())));
        QCOMPARE(bytes(txt()), existing >= 0 ? original : QByteArray("<missing>"));
        QVERIFY(!QFile::exists(bak()));
    }

    // Locks a copy of the program left behind when it was killed: no running copy can hold them.
    void leftoverLocksAreRecovered_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("recovered");
        const QByteArray host = lockHostName().toUtf8();
        QTest::newRow("empty, left 15 seconds ago") << QByteArray() << 15 << true;
        QTest::newRow("garbage, left 15 seconds ago") << QByteArray("\0\x01zz\n", 5) << 15 << true;
        QTest::newRow("process number that no longer runs here") << "2147483600\ntst_persondirectory\n" + host + "\n"
                                                                 << 0 << true;
        QTest::newRow("empty, just created: its copy may be about to write its number") << QByteArray() << 0 << false;
        QTest::newRow("running copy's lock, 15 seconds old")
            << QByteArray::number(QCoreApplication::applicationPid()) + "\ntst_persondirectory\n" + host + "\n"
            << 15 << false;
    }
    void leftoverLocksAreRecovered()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, ageSeconds);
        QFETCH(bool, recovered);
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        write(txt(), original);
        writeLock(content, ageSeconds);
        PersonDirectory directory(m_folder);
        directory.setLockWait(0);
        const auto problem = directory.save(user("New", "One"), PersonRecord{}, confirm());
        if (recovered) {
            QVERIFY2(!problem, problem ? qPrintable(problem->message) : "");
            QCOMPARE(bytes(txt()), original + formatRecordLine(user("New", "One")) + "\r\n");
            QVERIFY(!QFile::exists(lockFilePath(m_folder)));
            return;
        }
        QVERIFY(problem);
        QVERIFY2(problem->message.contains("en cours d'enregistrement par un autre exemplaire"),
                 qPrintable(problem->message));
        QCOMPARE(bytes(txt()), original);
        QCOMPARE(bytes(lockFilePath(m_folder)), content);
    }

#ifdef Q_OS_UNIX
    void backupKeepsTheDirectorysPermissions()
    {
        write(txt(), "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n");
        write(bak(), "older");
        const auto owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QVERIFY(QFile::setPermissions(txt(), owner));
        QVERIFY(QFile::setPermissions(bak(), owner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(!save(user("New", "One"), PersonRecord{}));
        QCOMPARE(QFile::permissions(bak()) & ~(QFile::ExeOwner | QFile::ExeUser), owner);
        QCOMPARE(QFile::permissions(txt()), QFile::permissions(bak()));
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
        QFETCH(bool, atBackup);
        QFETCH(QString, kind);
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        const QString odd = atBackup ? bak() : txt();
        if (atBackup)
            write(txt(), original);
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
            QCOMPARE(bytes(txt()), original);
        else
            QVERIFY(!QFile::exists(bak()));
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
        QFETCH(QString, kind);
        QFETCH(bool, removalLock);
        QFETCH(QString, described);
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        write(txt(), original);
        const QString odd = lockFilePath(m_folder) + (removalLock ? ".rmlock" : "");
        const QByteArray native = QFile::encodeName(odd);
        if (removalLock) // a lock already there: QLockFile looks at the removal lock when it finds this one dead
            write(lockFilePath(m_folder), {});
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
            QVERIFY(QFile::link(m_folder + "nowhere", odd));
        } else if (kind == "loop") {
            QCOMPARE(symlink(native.constData(), native.constData()), 0);
        } else {
            write(m_folder + "other", {});
            QCOMPARE(link(QFile::encodeName(m_folder + "other").constData(), native.constData()), 0);
        }
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message, QStringLiteral("Le fichier de verrouillage «\u00a0%1\u00a0» n'est pas un fichier "
                                                  "ordinaire\u00a0: c'est %2. Le programme ne peut pas s'en "
                                                  "servir\u00a0; supprimez-le, puis sauvegardez à nouveau.\r\nRien "
                                                  "n'a été enregistré.")
                                       .arg(QDir::toNativeSeparators(odd), described));
        QCOMPARE(bytes(txt()), original);
        QVERIFY(!QFile::exists(bak()));
        struct stat st = {};
        QCOMPARE(lstat(native.constData(), &st), 0); // left where it was
    }

    // prrep.bak is written through QSaveFile, which follows links: the file a link leads to would be overwritten,
    // and a backup that is the directory itself would be no backup.
    void backupThatIsNotAFileOfItsOwnIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString link = "La copie de sauvegarde «\u00a0%2\u00a0» est un lien vers un autre emplacement, alors "
                             "qu'elle doit être un fichier ordinaire du dossier des données\u00a0: supprimez ce lien, "
                             "puis sauvegardez à nouveau.\r\nRien n'a été enregistré.";
        const QString same = "Le fichier des personnes «\u00a0%1\u00a0» et sa copie de sauvegarde «\u00a0%2\u00a0» "
                             "sont un seul et même fichier (lien)\u00a0: enregistrer détruirait la copie. "
                             "Supprimez «\u00a0%2\u00a0», puis sauvegardez à nouveau.\r\nRien n'a été enregistré.";
        QTest::newRow("backup is a link to a file elsewhere") << "outside" << link;
        QTest::newRow("backup is a link to the directory") << "toDirectory" << link;
        QTest::newRow("directory is a link to the backup") << "fromDirectory" << same;
        QTest::newRow("backup is a second name of the directory") << "hardlink" << same;
    }
    void backupThatIsNotAFileOfItsOwnIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        const QString outside = m_dir->filePath("elsewhere.txt");
        write(outside, "kept");
        if (kind == "outside") {
            write(txt(), original);
            QVERIFY(QFile::link(outside, bak()));
        } else if (kind == "toDirectory") {
            write(txt(), original);
            QVERIFY(QFile::link(txt(), bak()));
        } else if (kind == "fromDirectory") {
            write(bak(), original);
            QVERIFY(QFile::link(bak(), txt()));
        } else {
            write(txt(), original);
            QCOMPARE(link(QFile::encodeName(txt()).constData(), QFile::encodeName(bak()).constData()), 0);
        }
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QCOMPARE(problem->message, withPaths(message));
        QCOMPARE(bytes(txt()), original);
        QCOMPARE(bytes(bak()), kind == "outside" ? QByteArray("kept") : original);
        QCOMPARE(bytes(outside), QByteArray("kept"));
    }

    // Users keep the directory in a synchronised folder and link to it: the link stays, the file it leads to is
    // rewritten.
    void directoryLinkToAFileElsewhereIsFollowed()
    {
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        QVERIFY(QDir().mkdir(m_dir->filePath("synced")));
        const QString target = m_dir->filePath("synced/prrep.txt");
        write(target, original);
        QVERIFY(QFile::link(target, txt()));
        QVERIFY(!save(user("New", "One"), PersonRecord{}));
        QCOMPARE(QFileInfo(txt()).symLinkTarget(), target);
        QCOMPARE(bytes(target), original + formatRecordLine(user("New", "One")) + "\r\n");
        QCOMPARE(bytes(bak()), original);
        QVERIFY(!QFileInfo(bak()).isSymLink());
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
    }

    void hugeFileIsRefusedUnread()
    {
        QFile file(txt());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(kMaxDirectoryBytes + 1)); // sparse: costs no disk
        file.close();
        const auto problem = save(user("New", "One"), PersonRecord{});
        QVERIFY(problem);
        QVERIFY2(problem->message.contains("il dépasse 256 Mo"), qPrintable(problem->message));
        QCOMPARE(QFileInfo(txt()).size(), kMaxDirectoryBytes + 1);
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
    }

#endif

#ifdef Q_OS_LINUX
    // The same on a real, small file system filled to the last byte, where the system allows mounting one.
    void realFullDiskLeavesBothFilesAsTheyWere()
    {
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
    }

    // A data folder that has become read-only: the lock can be neither made nor, when one was left, removed.
    void readOnlyFolderSaysWhyTheLockFails_data()
    {
        QTest::addColumn<bool>("leftover");
        QTest::addColumn<QString>("message");
        QTest::newRow("lock left by a killed copy")
            << true
            << "Le fichier de verrouillage «\u00a0%1\u00a0» existe déjà et ne peut pas être supprimé\u00a0: "
               "le disque est en lecture seule.\r\nRien n'a été enregistré.";
        QTest::newRow("no lock")
            << false
            << "Le fichier de verrouillage «\u00a0%1\u00a0» n'a pas pu être créé\u00a0: le disque est en lecture "
               "seule.\r\nRien n'a été enregistré.";
    }
    void readOnlyFolderSaysWhyTheLockFails()
    {
        QFETCH(bool, leftover);
        QFETCH(QString, message);
        const QString mountPoint = m_dir->filePath("small");
        QVERIFY(QDir().mkpath(mountPoint));
        const QByteArray native = QFile::encodeName(mountPoint);
        if (geteuid() != 0 || mount("tmpfs", native.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("mounting a small file system needs root");
        m_folder = mountPoint + "/";
        const QByteArray original = "\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n";
        write(txt(), original);
        if (leftover)
            writeLock({}, 60);
        const int remounted = mount("tmpfs", native.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k");
        const auto problem = remounted == 0 ? save(user("New", "One"), PersonRecord{}) : std::nullopt;
        const QByteArray after = bytes(txt());
        umount(native.constData());
        QCOMPARE(remounted, 0);
        QVERIFY(problem);
        QCOMPARE(problem->message, message.arg(QDir::toNativeSeparators(lockFilePath(m_folder))));
        QCOMPARE(after, original);
    }
#endif
};

QTEST_GUILESS_MAIN(TestPersonDirectory)
#include "tst_persondirectory.moc"

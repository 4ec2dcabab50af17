#include "persons/PersonDirectory.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

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
    void cleanup() { delete m_dir; }

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
        // Bytes 0x80-0x9F in names, text after a closing quote and LF-only line ends.
        const QByteArray odd = "\"\x80\x81\x8d\x9f\",\"\x8f\x90\x9d\",\"\",\"\",\"\",\"\" ";
        const QByteArray skipped = "\"A\"junk,\"B\",\"1\",\"0\",\"0\",\"000000000\"";
        write(txt(), odd + "\n" + skipped + "\n");
        QVERIFY(!save(user("New", "One"), PersonRecord{}));
        QCOMPARE(bytes(txt()), odd + "\r\n" + skipped + "\r\n" + formatRecordLine(user("New", "One")) + "\r\n");
        QCOMPARE(bytes(bak()), odd + "\n" + skipped + "\n");
    }

    void refusesCharactersThatCannotBeStored_data()
    {
        QTest::addColumn<PersonRecord>("userRecord");
        QTest::addColumn<PersonRecord>("partnerRecord");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("partnerLine");
        QTest::addColumn<int>("field");
        QTest::newRow("double quote in the user's name")
            << user("Du\"rand", "Anne") << PersonRecord{} << "le champ « Nom » contient le caractère « \" »" << false
            << int(RecordField::LastName);
        QTest::newRow("semicolon in the partner's first name")
            << PersonRecord{} << partner("Martin", "L;uc")
            << "le champ « Prénom du partenaire » contient le caractère « ; »" << true << int(RecordField::FirstName);
        QTest::newRow("tab in a name") << user("Durand", "An\tne") << PersonRecord{}
                                       << "le champ « Prénom » contient un caractère de contrôle (U+0009)" << false
                                       << int(RecordField::FirstName);
        QTest::newRow("character outside Windows-1252")
            << PersonRecord{} << partner("Ωmega", "Luc") << "le champ « Nom du partenaire » contient le caractère « Ω »"
            << true << int(RecordField::LastName);
        QTest::newRow("partner type") << PersonRecord{} << partner("Martin", "Luc", "4\"")
                                      << "« Type Ennéagramme du partenaire »" << true << int(RecordField::Type);
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
        QVERIFY(problem->message.contains("ne peut pas être lu"));
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
        QList<DirectoryLine> lines;
        for (const PersonRecord& r : {user("A", "1"), user("B", "2"), user("A", "1", "9")})
            lines.append({formatRecordLine(r), r});
        const PersonRecord newA = user("A", "1", "7");
        const PersonRecord newC = partner("C", "3");
        const QByteArray rebuilt = rebuildDirectory(lines, &newA, &newC);
        const QList<QByteArray> out = rebuilt.split('\n');
        QCOMPARE(out.size(), 5); // four lines and the empty rest after the last CR LF
        QCOMPARE(out[0], formatRecordLine(newA) + "\r");
        QCOMPARE(out[2], lines[2].raw + "\r"); // only the first record with the pair is replaced
        QCOMPARE(out[3], formatRecordLine(newC) + "\r");
    }
};

QTEST_GUILESS_MAIN(TestPersonDirectory)
#include "tst_persondirectory.moc"

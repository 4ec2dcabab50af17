#include "DirectoryFiles.h"
#include "persons/DirectoryFile.h"
#include "platform/Cp1252.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace testfiles;

class TestDirectoryFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString txt() const { return directoryFilePath(m_dir.path() + "/"); }

private slots:
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

    // Lines an editor shows empty (a hand edit, a trailing empty line, a form feed, the Ctrl-Z an old DOS editor
    // ends a file with) hold nobody: they are skipped and not written back.
    void blankLinesAreSkipped()
    {
        const DirectoryContent content =
            parseDirectory("\r\n\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n \t\r\n\f\n\v\r\n"
                           "\"C\",\"D\",\"\",\"\",\"\",\"\"\r\n\r\n\x1A");
        QCOMPARE(content.status, DirectoryContent::Status::Read);
        const PersonRecord added = user("New", "One");
        QCOMPARE(rebuildDirectory(content, &added, nullptr),
                 QByteArray("\"A\",\"B\",\"1\",\"0\",\"2\",\"900000000\"\r\n"
                            "\"C\",\"D\",\"\",\"\",\"\",\"\"\r\n"
                            "\"New\",\"One\",\"5\",\"4\",\"0\",\"361792450\"\r\n"));
    }

    // Whatever the program may write, it reads back: names made of every pair of characters it accepts (a capital
    // accented letter and a no-break space are the bytes of a UTF-8 letter; an ÿþ is a UTF-16 mark).
    void everyStorableNameReadsBack()
    {
        QString storable;
        for (int b = 0x20; b < 0x100; ++b) {
            const char byte = char(b);
            const QString c = cp1252::decode(QByteArrayView(&byte, 1));
            if (!checkStorable(user(c, c)))
                storable += c;
        }
        QVERIFY(storable.size() > 200);
        // One file per pair: a file holding only such a person is the one a whole-file guess could misjudge.
        for (const QChar first : std::as_const(storable)) {
            for (const QChar second : std::as_const(storable)) {
                const PersonRecord written = user(QString(first) + second, QStringLiteral("Anne"));
                const DirectoryContent read = parseDirectory(formatRecordLine(written) + "\r\n");
                if (read.status != DirectoryContent::Status::Read || read.count() != 1 || read.record(0) != written)
                    QFAIL(qPrintable(QStringLiteral("U+%1 U+%2: %3")
                                         .arg(first.unicode(), 4, 16, QLatin1Char('0'))
                                         .arg(second.unicode(), 4, 16, QLatin1Char('0'))
                                         .arg(read.reason)));
            }
        }
    }

    void invalidLinesSayWhatIsWrong_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QByteArray good = kStoredRecord;
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
        QTest::newRow("UTF-32")
            << QByteArray("\xFF\xFE\0\0\"\0\0\0A\0\0\0", 12)
            << "Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu tel quel\u00a0: il est encodé en "
               "UTF-32, alors qu'il doit l'être en Windows-1252 (ANSI).";
        QTest::newRow("UTF-8 text pasted with its byte-order mark on line 2")
            << good + "\xEF\xBB\xBF" + good
            << "La ligne 2 du fichier des personnes «\u00a0%1\u00a0» n'est pas un enregistrement valide\u00a0: elle "
               "commence par la marque d'ordre des octets (BOM) d'un texte en UTF-8, alors que le fichier doit être en "
               "Windows-1252 (ANSI).";
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
        const DirectoryContent read = readDirectory(txt());
        QCOMPARE(read.status, DirectoryContent::Status::InvalidLine);
        QCOMPARE(readProblem(read, txt()), message.arg(QDir::toNativeSeparators(txt())));
    }

    void hugeFileIsRefusedUnread()
    {
        QFile file(txt());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(kMaxDirectoryBytes + 1)); // sparse: costs no disk
        file.close();
        const DirectoryContent read = readDirectory(txt());
        QCOMPARE(read.status, DirectoryContent::Status::Unreadable);
        QVERIFY(read.bytes.isEmpty());
        QCOMPARE(readProblem(read, txt()),
                 QStringLiteral("Le fichier des personnes «\u00a0%1\u00a0» ne peut pas être lu\u00a0: il dépasse 256 "
                                "Mo, bien plus que ne devrait peser un fichier de personnes.")
                     .arg(QDir::toNativeSeparators(txt())));
        QCOMPARE(QFileInfo(txt()).size(), kMaxDirectoryBytes + 1);
    }
};

QTEST_GUILESS_MAIN(TestDirectoryFile)
#include "tst_directoryfile.moc"

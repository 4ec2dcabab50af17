#include "persons/PersonListModel.h"
#include "persons/PersonSearch.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestPersonSearch : public QObject
{
    Q_OBJECT

private slots:
    void folding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("capitals") << u"DURANDEAU"_s << u"durandeau"_s;
        QTest::newRow("precomposed accents") << u"Éloïse Lefèvre"_s << u"eloise lefevre"_s;
        QTest::newRow("accent typed as a combining mark") << u"Zoe\u0301"_s << u"zoe"_s;
        QTest::newRow("cedilla and capital Y with diaeresis") << u"FRANÇOIS Ÿ"_s << u"francois y"_s;
        QTest::newRow("ligature stays a letter of its own") << u"Œuvre"_s << u"œuvre"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void folding()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(foldForSearch(text), folded);
    }

    // What the list shows for a search typed after an earlier one, over a file in Windows-1252.
    void listKeepsThePersonsWithEveryWord_data()
    {
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("shown");
        const QString durand = u"Durand;Anne;5;4;0;361792450"_s;
        const QString durandeau = u"DURANDEAU;Marc;3;;;"_s;
        const QString eloise = u"Martin;Éloïse;7;6;8;000000000"_s;
        const QString anneMarie = u"Lefèvre;Anne-Marie;;;;"_s;
        const QStringList everyone{durand, durandeau, eloise, anneMarie};
        QTest::newRow("part of a last name, any case") << QString() << u"dur"_s << QStringList{durand, durandeau};
        QTest::newRow("no accent typed") << QString() << u"elo"_s << QStringList{eloise};
        QTest::newRow("accent and capitals typed") << QString() << u"ÉLOÏ"_s << QStringList{eloise};
        QTest::newRow("accent in the file only") << QString() << u"lefevre"_s << QStringList{anneMarie};
        QTest::newRow("first name then last name") << QString() << u"anne dur"_s << QStringList{durand};
        QTest::newRow("words in the other order, extra blanks")
            << QString() << u"  dur   anne "_s << QStringList{durand};
        QTest::newRow("a word across both names matches nobody") << QString() << u"durandanne"_s << QStringList{};
        QTest::newRow("type and profile are not searched") << QString() << u"3617"_s << QStringList{};
        QTest::newRow("no match") << QString() << u"xyz"_s << QStringList{};
        QTest::newRow("blank shows everyone") << u"dur"_s << u"  "_s << everyone;
        QTest::newRow("typing on narrows") << u"anne"_s << u"anne m"_s << QStringList{anneMarie};
        QTest::newRow("erasing letters widens again") << u"durandeau"_s << u"dur"_s << QStringList{durand, durandeau};
        QTest::newRow("another word after no match")
            << u"xyz"_s << u"mar"_s << QStringList{durandeau, eloise, anneMarie};
    }
    void listKeepsThePersonsWithEveryWord()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, query);
        QFETCH(QStringList, shown);
        PersonListModel model(parseDirectory("\"Durand\",\"Anne\",\"5\",\"4\",\"0\",\"361792450\"\r\n"
                                             "\"DURANDEAU\",\"Marc\",\"3\",\"\",\"\",\"\"\r\n"
                                             "\r\n"
                                             "\"Martin\",\"\xC9lo\xEFse\",\"7\",\"6\",\"8\",\"000000000\"\n"
                                             "\"Lef\xE8vre\",\"Anne-Marie\",\"\",\"\",\"\",\"\"\r\n"));
        model.setFilter(earlier);
        model.setFilter(query);
        QStringList entries;
        for (int row = 0; row < model.rowCount(); ++row)
            entries << model.index(row, 0).data().toString();
        QCOMPARE(entries, shown);
    }
};

QTEST_GUILESS_MAIN(TestPersonSearch)
#include "tst_personsearch.moc"

#include "interpretation/ReportText.h"
#include "questionnaire/Scoring.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestReportText : public QObject
{
    Q_OBJECT
private slots:
    void fileName_data()
    {
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("name");
        QTest::newRow("both names") << u"Hélène"_s << u"Lefèvre"_s << u"Psyche Rondo - Hélène Lefèvre.pdf"_s;
        QTest::newRow("spaces around") << u"  Anne "_s << u" Durand "_s << u"Psyche Rondo - Anne Durand.pdf"_s;
        QTest::newRow("first name only") << u"Anne"_s << QString() << u"Psyche Rondo - Anne.pdf"_s;
        QTest::newRow("last name only") << QString() << u"Durand"_s << u"Psyche Rondo - Durand.pdf"_s;
        QTest::newRow("no names") << u" "_s << QString() << u"Psyche Rondo - rapport.pdf"_s;
        QTest::newRow("characters Windows refuses")
            << u"A<b>c:d\"e"_s << u"f/g\\h|i?j*k"_s << u"Psyche Rondo - A-b-c-d-e f-g-h-i-j-k.pdf"_s;
        QTest::newRow("control characters")
            << u"Anne\tMarie"_s << u"Du\u0001rand\u007f"_s << u"Psyche Rondo - Anne-Marie Du-rand-.pdf"_s;
        QTest::newRow("long names cut to 64 characters")
            << QString(40, u'a') << QString(40, u'b')
            << u"Psyche Rondo - "_s + QString(40, u'a') + u' ' + QString(23, u'b') + u".pdf"_s;
        QTest::newRow("cut before a character outside the BMP")
            << QString(62, u'a') << u"\U0001F600"_s << u"Psyche Rondo - "_s + QString(62, u'a') + u".pdf"_s;
    }
    void fileName()
    {
        QFETCH(QString, firstName);
        QFETCH(QString, lastName);
        QFETCH(QString, name);
        QCOMPARE(report::fileName(firstName, lastName), name);
    }

    void frenchDate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("December") << QDate(2026, 12, 8) << u"8 décembre 2026"_s;
        QTest::newRow("first of the month") << QDate(2027, 1, 1) << u"1er janvier 2027"_s;
        QTest::newRow("August") << QDate(2027, 8, 31) << u"31 août 2027"_s;
        QTest::newRow("February") << QDate(2028, 2, 29) << u"29 février 2028"_s;
    }
    void frenchDate()
    {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(report::frenchDate(date), text);
    }

    void title_data()
    {
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("title");
        QTest::newRow("both names") << u"Hélène"_s << u"Lefèvre"_s << u"Psyche Rondo - Hélène Lefèvre"_s;
        QTest::newRow("no names") << QString() << u"  "_s << u"Psyche Rondo"_s;
    }
    void title()
    {
        QFETCH(QString, firstName);
        QFETCH(QString, lastName);
        QFETCH(QString, title);
        QCOMPARE(report::title(firstName, lastName), title);
    }
};

QTEST_GUILESS_MAIN(TestReportText)
#include "tst_reporttext.moc"

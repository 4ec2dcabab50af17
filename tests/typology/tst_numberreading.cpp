#include "typology/NumberReading.h"

#include <QtTest>

class TestNumberReading : public QObject
{
    Q_OBJECT
private slots:
    void typeNumberOf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("a digit") << "4" << 4;
        QTest::newRow("type then slash") << "4/5" << 4;
        QTest::newRow("wing caption") << "4 / 6" << 4;
        QTest::newRow("digit between blanks") << "  7  " << 7;
        QTest::newRow("questionnaire text with leading blank") << " 9" << 9;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("starts with slash") << "/4" << 0;
        QTest::newRow("blanks between digits are ignored") << "1 2" << 12;
        QTest::newRow("stops at a letter") << "3abc" << 3;
        QTest::newRow("no number") << "Colère" << 0;
        QTest::newRow("half rounds to even, down") << "2.5" << 2;
        QTest::newRow("half rounds to even, up") << "3.5" << 4;
        QTest::newRow("decimal rounds to nearest") << "6.7" << 7;
        QTest::newRow("too large for a type") << "99999999999" << 0;
    }
    void typeNumberOf()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int(::typeNumberOf(text)), expected);
    }

    void personType_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 0: refused
        QTest::newRow("saved type") << "5" << 5;
        QTest::newRow("questionnaire type") << " 4" << 4;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("ten") << "10" << 0;
        QTest::newRow("word") << "abc" << 0;
    }
    void personType()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto value = readPersonType(text);
        QCOMPARE(value.has_value(), expected != 0);
        if (value)
            QCOMPARE(int(*value), expected);
    }

    void wing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("neighbour");
        QTest::addColumn<int>("expected");
        QTest::newRow("the neighbour, as the strip shows it") << " 4" << 4 << 4;
        QTest::newRow("9 beside 1") << "9" << 9 << 9;
        QTest::newRow("no wing saved") << "" << 4 << 0;
        QTest::newRow("zero saved for no wing") << "0" << 4 << 0;
        QTest::newRow("not the neighbour") << "6" << 4 << 0;
        QTest::newRow("not a number") << "x" << 4 << 0;
    }
    void wing()
    {
        QFETCH(QString, text);
        QFETCH(int, neighbour);
        QFETCH(int, expected);
        QCOMPARE(int(readWing(text, neighbour)), expected);
    }

    void partnerType_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 0 out of range, -1 empty
        QTest::newRow("digit with spaces around") << "  1 " << 1;
        QTest::newRow("2.5 rounds to even 2") << "2.5" << 2;
        QTest::newRow("3.5 rounds to even 4") << "3.5" << 4;
        QTest::newRow("0.6 rounds to 1") << "0.6" << 1;
        QTest::newRow("9.5 rounds to 10") << "9.5" << 0;
        QTest::newRow("plus sign") << "+3" << 3;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-3" << 0;
        QTest::newRow("twelve") << "12" << 0;
        QTest::newRow("word") << "abc" << 0;
        QTest::newRow("eleven digits") << "12345678901" << 0;
        QTest::newRow("type and wing") << "4/5" << 0;
        QTest::newRow("inner blank") << "1 2" << 0;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("only spaces") << "   " << -1;
    }
    void partnerType()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const PartnerType partner = readPartnerType(text);
        if (expected == -1) {
            QCOMPARE(partner.error, PartnerTypeError::Empty);
        } else if (expected == 0) {
            QCOMPARE(partner.error, PartnerTypeError::OutOfRange);
        } else {
            QCOMPARE(partner.error, PartnerTypeError::None);
            QCOMPARE(int(partner.value), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestNumberReading)
#include "tst_numberreading.moc"

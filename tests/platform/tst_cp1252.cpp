#include "platform/Cp1252.h"

#include <QtTest>

class TestCp1252 : public QObject
{
    Q_OBJECT
private slots:
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = cp1252::decode(all);
        QCOMPARE(text.size(), 256);
        QByteArray back;
        QVERIFY(cp1252::encode(text, back));
        QCOMPARE(back, all);
    }

    void undefinedBytesDecodeToC1Controls()
    {
        QCOMPARE(cp1252::decode("\x81\x8d\x8f\x90\x9d"), QString::fromUtf16(u"\u0081\u008d\u008f\u0090\u009d"));
        QCOMPARE(cp1252::decode("\x80\xe9"), QString::fromUtf16(u"\u20ac\u00e9"));
    }

    void unencodableCharacterIsReported()
    {
        QByteArray out = "untouched";
        QVERIFY(!cp1252::encode(QStringLiteral("Zoë Ω"), out));
        QCOMPARE(out, QByteArray("untouched"));
        QCOMPARE(cp1252::firstUnencodable(QStringLiteral("Zoë Ω")), 4);
        QCOMPARE(cp1252::firstUnencodable(QStringLiteral("Élodie Œuvre €")), -1);
        QCOMPARE(cp1252::firstUnencodable(QString::fromUtf8("ab\xF0\x9F\x98\x80")), 2); // an emoji
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"

#include "platform/Cp1252.h"

#include <QStringDecoder>
#include <QtTest>

namespace {

// Windows-1252 as the code page defines it for bytes 0x80-0x9F; 0 marks the five undefined bytes.
const char16_t kCodePage[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The code point byte b stands for: itself outside 0x80-0x9F and for the undefined bytes.
char16_t expectedCodePoint(int b)
{
    if (b >= 0x80 && b <= 0x9F && kCodePage[b - 0x80] != 0)
        return kCodePage[b - 0x80];
    return char16_t(b);
}

} // namespace

Q_DECLARE_METATYPE(cp1252::ForeignEncoding)

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

    void everyByteDecodesAsTheCodePage()
    {
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString text = cp1252::decode(QByteArrayView(&byte, 1));
            QCOMPARE(text.size(), 1);
            QVERIFY2(text[0].unicode() == expectedCodePoint(b), qPrintable(QString::number(b, 16)));
        }
    }

    // A character is storable exactly when the code page holds it, and then as that byte.
    void everyCharacterOfTheBasicPlane()
    {
        QHash<char16_t, char> table;
        for (int b = 0; b < 256; ++b)
            table.insert(expectedCodePoint(b), char(b));
        QStringDecoder icu("windows-1252", QStringConverter::Flag::Stateless);
        for (int code = 0; code <= 0xFFFF; ++code) {
            const QChar c{char16_t(code)};
            const QString text(c);
            QByteArray out;
            const bool stored = cp1252::encode(text, out);
            if (c.isSurrogate()) {
                QVERIFY(!stored);
                continue;
            }
            QCOMPARE(stored, table.contains(char16_t(code)));
            QCOMPARE(cp1252::firstUnencodable(text), stored ? -1 : 0);
            if (stored) {
                QCOMPARE(out, QByteArray(1, table.value(char16_t(code))));
                // Where Qt has a system converter, it agrees on every defined byte.
                if (icu.isValid() && !(code >= 0x80 && code <= 0x9F))
                    QCOMPARE(icu.decode(out), text);
            }
        }
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

    // Files an editor saved in another encoding are told apart from Windows-1252 text, accents included.
    void foreignEncodingsAreRecognised_data()
    {
        using cp1252::ForeignEncoding;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ForeignEncoding>("encoding");
        const QByteArray record = "\"Lef\xE8vre\",\"Zo\xE9\",\"1\",\"\",\"\",\"\"\r\n";
        QTest::newRow("Windows-1252 with accents") << record << ForeignEncoding::None;
        QTest::newRow("ASCII only") << QByteArray("\"A\",\"B\"\r\n") << ForeignEncoding::None;
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + record << ForeignEncoding::Utf8WithMark;
        QTest::newRow("UTF-16, little-endian mark") << QByteArray("\xFF\xFE\"\0A\0\"\0", 8) << ForeignEncoding::Utf16;
        QTest::newRow("UTF-16, big-endian mark") << QByteArray("\xFE\xFF\0\"\0A\0\"", 8) << ForeignEncoding::Utf16;
        QTest::newRow("UTF-16 without a byte-order mark") << QByteArray("\"\0A\0\"\0,\0", 8) << ForeignEncoding::Utf16;
        // Also what the program writes for "RENÉ", a no-break space, "PAUL": never taken for another encoding.
        QTest::newRow("UTF-8 without a byte-order mark")
            << QByteArray("\"Lef\xC3\xA8vre\",\"REN\xC9\xA0PAUL\"\r\n") << ForeignEncoding::None;
        QTest::newRow("UTF-32, little-endian mark")
            << QByteArray("\xFF\xFE\0\0\"\0\0\0A\0\0\0", 12) << ForeignEncoding::Utf32;
        QTest::newRow("UTF-32 big-endian without a mark")
            << QByteArray("\0\0\0\"\0\0\0A\0\0\0\"", 12) << ForeignEncoding::Utf32;
    }
    void foreignEncodingsAreRecognised()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(cp1252::ForeignEncoding, encoding);
        QCOMPARE(cp1252::foreignEncoding(bytes), encoding);
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"

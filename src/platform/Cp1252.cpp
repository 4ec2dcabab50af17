#include "platform/Cp1252.h"

#include <algorithm>
#include <array>

namespace cp1252 {
namespace {

// Bytes 0x80-0x9F; the five bytes the code page leaves undefined map to the C1 control of the same value, so that
// they come back unchanged.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte that holds the character, or -1.
int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c <= 0x9F || c >= 0x0152) {
        for (int i = 0; i < int(kHighControls.size()); ++i) {
            if (kHighControls[std::size_t(i)] == c)
                return 0x80 + i;
        }
    }
    return -1;
}

} // namespace

qsizetype firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (byteOf(text[i].unicode()) < 0)
            return i;
    }
    return -1;
}

bool encode(QStringView text, QByteArray& out)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* data = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = byteOf(text[i].unicode());
        if (byte < 0)
            return false;
        data[i] = char(byte);
    }
    out = std::move(bytes);
    return true;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* data = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = uchar(bytes[i]);
        data[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(kHighControls[byte - 0x80]) : QChar(char16_t(byte));
    }
    return text;
}

// UTF-16 without a byte-order mark: ASCII text has a zero byte beside every character, so the first bytes alternate
// zero and non-zero. A text file in Windows-1252 holds no zero byte, so it never does.
bool looksLikeUtf16(QByteArrayView bytes)
{
    const qsizetype size = std::min<qsizetype>(bytes.size(), 32) & ~qsizetype(1);
    if (size < 4)
        return false;
    bool evenZero = true;
    bool oddZero = true;
    for (qsizetype i = 0; i < size; i += 2) {
        evenZero = evenZero && bytes[i] == '\0';
        oddZero = oddZero && bytes[i + 1] == '\0';
    }
    return evenZero != oddZero;
}

// Whether the bytes hold at least one character outside ASCII and are all well-formed UTF-8 (no overlong forms, no
// surrogates). Names in Windows-1252 almost never do: an accented letter there is one byte, which UTF-8 never
// accepts alone.
bool isUtf8BeyondAscii(QByteArrayView bytes)
{
    bool beyondAscii = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char lead = p[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        beyondAscii = true;
        qsizetype length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (size - i < length || p[i + 1] < low || p[i + 1] > high)
            return false;
        for (qsizetype k = 2; k < length; ++k) {
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return false;
        }
        i += length;
    }
    return beyondAscii;
}

ForeignEncoding foreignEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return ForeignEncoding::Utf8WithMark;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || looksLikeUtf16(bytes))
        return ForeignEncoding::Utf16;
    if (isUtf8BeyondAscii(bytes))
        return ForeignEncoding::Utf8;
    return ForeignEncoding::None;
}

} // namespace cp1252

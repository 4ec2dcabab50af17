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

namespace {

// Text without a byte-order mark whose first characters are ASCII: in UTF-16, a zero byte beside every character;
// in UTF-32, three. Judged on the first 32 bytes; a Windows-1252 text file holds no zero byte, so never matches.
bool looksLike(QByteArrayView bytes, qsizetype unit)
{
    const qsizetype size = std::min<qsizetype>(bytes.size(), 32) / unit * unit;
    if (size < 2 * unit)
        return false;
    for (qsizetype at : {qsizetype(0), unit - 1}) { // the little-endian and the big-endian place of the ASCII byte
        bool matches = true;
        for (qsizetype i = 0; i < size && matches; ++i)
            matches = (i % unit == at) == (bytes[i] != '\0');
        if (matches)
            return true;
    }
    return false;
}

} // namespace

ForeignEncoding foreignEncoding(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return ForeignEncoding::Utf8WithMark;
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)) || bytes.startsWith(QByteArrayView("\0\0\xFE\xFF", 4)) ||
        looksLike(bytes, 4))
        return ForeignEncoding::Utf32;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || looksLike(bytes, 2))
        return ForeignEncoding::Utf16;
    return ForeignEncoding::None;
}

} // namespace cp1252

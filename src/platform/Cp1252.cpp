#include "platform/Cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace cp1252 {
namespace {

constexpr auto kCodecName = "windows-1252";

bool encodeChunk(QStringView text, QByteArray& out)
{
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return false;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    out = std::move(bytes);
    return true;
}

} // namespace

qsizetype firstUnencodable(QStringView text)
{
    QByteArray ignored;
    if (encodeChunk(text, ignored))
        return -1;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!encodeChunk(text.mid(i, len), ignored))
            return i;
        i += len;
    }
    return text.isEmpty() ? -1 : 0;
}

bool encode(QStringView text, QByteArray& out)
{
    return encodeChunk(text, out);
}

QString decode(QByteArrayView bytes)
{
    // Plain ASCII, by far the most common case in names, needs no converter.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    // Stateless: nothing is carried from one call to the next, so one converter serves every call.
    thread_local QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    if (decoder.isValid())
        return decoder.decode(bytes);
    // Without a system codec, fall back on Latin-1, which agrees for every letter the names use in practice.
    return QString::fromLatin1(bytes);
}

} // namespace cp1252

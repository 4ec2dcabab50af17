#pragma once

#include <QByteArray>
#include <QString>

// The directory file is written in Windows-1252 so that it moves unchanged between this program and the older
// Windows one. Any byte string decodes, and the five bytes the code page leaves undefined come back to the same
// bytes, so a record read and written again is identical.
namespace cp1252 {

// Index (in UTF-16 units) of the first character that Windows-1252 cannot hold, or -1 when all fit.
qsizetype firstUnencodable(QStringView text);

// Encodes text; returns false (and leaves out untouched) when some character cannot be held.
bool encode(QStringView text, QByteArray& out);

QString decode(QByteArrayView bytes);

// Signs that bytes are not Windows-1252 at all but text from an editor that saved it otherwise.
bool looksLikeUtf16(QByteArrayView bytes);    // without a byte-order mark, judged on the first 32 bytes
bool isUtf8BeyondAscii(QByteArrayView bytes); // well-formed UTF-8 with at least one character outside ASCII

// The encoding such bytes are in instead, judged by their byte-order mark first, then by the signs above.
enum class ForeignEncoding { None, Utf8WithMark, Utf16, Utf8 };
ForeignEncoding foreignEncoding(QByteArrayView bytes);

} // namespace cp1252

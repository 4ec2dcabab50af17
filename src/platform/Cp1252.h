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

// Signs that bytes are not Windows-1252 at all but text from an editor that saved it otherwise: a byte-order mark,
// or the zero bytes of UTF-16 or UTF-32 text, which no Windows-1252 text file holds. UTF-8 without a mark is no
// such sign: any byte string is also Windows-1252 text that the program itself may write ("RENÉ" and a no-break
// space are the bytes of a UTF-8 letter), so it is read as Windows-1252 and its bytes are kept.
enum class ForeignEncoding { None, Utf8WithMark, Utf16, Utf32 };
ForeignEncoding foreignEncoding(QByteArrayView bytes);

} // namespace cp1252

#pragma once

#include <QString>
#include <optional>

// The leading number of a label's caption, such as 4 from the wing caption "4 / 6": only what stands before the
// first "/", leading blanks skipped, blanks between digits ignored, a decimal part rounded half to even.
// 0 when there is no number (or one too large for a type).
qint16 typeNumberOf(QStringView text);

// The person's type as typed in the top strip: a value 1 to 9, or nothing when it does not read as one.
std::optional<qint16> readPersonType(QStringView text);

// A wing reopened with the person's type: its number when it reads as the expected neighbour of the type, else 0
// (no wing, or a damaged file).
qint16 readWing(QStringView text, int neighbour);

enum class PartnerTypeError { None, Empty, OutOfRange };

struct PartnerType
{
    PartnerTypeError error = PartnerTypeError::None;
    qint16 value = 0;
    // What the user is told when the type cannot be used; empty when it can.
    QString refusal() const;
};

// The partner's type: an optional sign, digits and an optional decimal part, rounded half to even to 1..9.
PartnerType readPartnerType(QStringView text);

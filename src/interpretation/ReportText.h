#pragma once

#include <QDate>
#include <QString>
#include <array>

// The words of the complete report that come from no analysis: its title, file name and date.
namespace report {

// "Psyche Rondo - Prénom Nom", or "Psyche Rondo" without names.
QString title(const QString& firstName, const QString& lastName);

// "Psyche Rondo - Prénom Nom.pdf", usable as a file name on every system: the characters Windows refuses become "-"
// and the names are cut to a length every file system takes. "Psyche Rondo - rapport.pdf" without names.
QString fileName(const QString& firstName, const QString& lastName);

// "8 décembre 2026", "1er janvier 2027".
QString frenchDate(const QDate& date);

} // namespace report

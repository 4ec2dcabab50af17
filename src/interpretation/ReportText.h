#pragma once

#include <QDate>
#include <QString>
#include <array>

// The words of the complete report that come from no analysis: its title, file name, date and how clear the result
// is.
namespace report {

// "Résultat net" when the top score leads the next one by 2 or more; otherwise the near tie, naming every type at
// the top score or one point below it. Empty when every score is 0: there is no profile to judge.
QString clarityLine(const std::array<qint16, 10>& scores); // types 1 to 9, as the questionnaire counted them

// "Psyche Rondo - Prénom Nom", or "Psyche Rondo" without names.
QString title(const QString& firstName, const QString& lastName);

// "Psyche Rondo - Prénom Nom.pdf", usable as a file name on every system: the characters Windows refuses become "-"
// and the names are cut to a length every file system takes. "Psyche Rondo - rapport.pdf" without names.
QString fileName(const QString& firstName, const QString& lastName);

// "8 décembre 2026", "1er janvier 2027".
QString frenchDate(const QDate& date);

} // namespace report

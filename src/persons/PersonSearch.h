#pragma once

#include "persons/PersonDirectory.h"

#include <QList>
#include <QString>
#include <QStringList>

// A text as a search compares it: accents and other marks dropped after decomposing, case folded, so that "Éloïse",
// "ELOISE" and "eloise" are one.
QString foldForSearch(QStringView text);

// The words of what the user typed, folded; none for a blank query.
QStringList searchWords(QStringView query);

// The last and first names of every record of a directory, folded once, and which records hold every word of a
// search in one of their two names.
class PersonSearch
{
public:
    explicit PersonSearch(const DirectoryContent& content);

    qsizetype count() const { return m_starts.size() - 1; }
    bool matches(qsizetype index, const QStringList& words) const;

private:
    QString m_keys;            // folded last name, '\n', folded first name, for every record one after the other
    QList<qsizetype> m_starts; // where each record's key starts in m_keys, and one past the last
};

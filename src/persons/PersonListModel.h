#pragma once

#include "persons/DirectoryFile.h"
#include "persons/PersonSearch.h"

#include <QAbstractListModel>

#include <memory>

// The saved persons as the open-person list shows them: one entry per record, its six fields joined with ";", in
// file order. Entries are built only when the view asks for them, so a directory of a million persons opens at once;
// the folded names a search compares are built at the first search, for the same reason.
class PersonListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit PersonListModel(DirectoryContent content, QObject* parent = nullptr);
    ~PersonListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Keeps only the persons whose last or first name holds each word of query, case and accents aside; a blank
    // query shows everyone.
    void setFilter(QStringView query);

    // Which record of the file a row shows, and the row that shows a record (-1 when the search hides it).
    qsizetype recordIndex(int row) const { return m_filtered ? m_shown.at(row) : row; }
    int rowOf(qsizetype recordIndex) const;
    PersonRecord record(int row) const { return m_content.record(recordIndex(row)); }
    const DirectoryContent& content() const { return m_content; }

private:
    DirectoryContent m_content;
    std::unique_ptr<PersonSearch> m_search;
    QStringList m_words;
    bool m_filtered = false;
    QList<qsizetype> m_shown; // record indexes, in file order, while filtered
};

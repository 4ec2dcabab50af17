#pragma once

#include "persons/DirectoryFile.h"

#include <QAbstractListModel>

// The saved persons as the open-person list shows them: one entry per record, its six fields joined with ";".
// Entries are built only when the view asks for them, so a directory of a million persons opens at once.
class PersonListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit PersonListModel(DirectoryContent content, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    PersonRecord record(int row) const { return m_content.record(row); }

private:
    DirectoryContent m_content;
};

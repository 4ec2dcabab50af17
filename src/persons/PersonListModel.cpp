#include "persons/PersonListModel.h"

PersonListModel::PersonListModel(DirectoryContent content, QObject* parent)
    : QAbstractListModel(parent), m_content(std::move(content))
{
}

int PersonListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_content.count());
}

QVariant PersonListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_content.count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_content.record(index.row()).fields().join(u';');
    return {};
}

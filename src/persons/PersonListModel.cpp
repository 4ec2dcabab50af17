#include "persons/PersonListModel.h"

#include <algorithm>

PersonListModel::PersonListModel(DirectoryContent content, QObject* parent)
    : QAbstractListModel(parent), m_content(std::move(content))
{
}

PersonListModel::~PersonListModel() = default;

int PersonListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_filtered ? m_shown.size() : m_content.count());
}

QVariant PersonListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return record(index.row()).fields().join(u';');
    return {};
}

void PersonListModel::setFilter(QStringView query)
{
    const QStringList words = searchWords(query);
    if (words == m_words)
        return;
    // Typing on narrows the search: when every earlier word lies inside one of the new ones, only the persons
    // shown so far can still match, and a keystroke looks at them alone.
    const bool narrower =
        m_filtered && std::all_of(m_words.begin(), m_words.end(), [&](const QString& earlier) {
            return std::any_of(words.begin(), words.end(), [&](const QString& word) { return word.contains(earlier); });
        });
    beginResetModel();
    if (words.isEmpty()) {
        m_filtered = false;
        m_shown.clear();
    } else {
        if (!m_search)
            m_search = std::make_unique<PersonSearch>(m_content);
        QList<qsizetype> shown;
        if (narrower) {
            for (const qsizetype index : std::as_const(m_shown)) {
                if (m_search->matches(index, words))
                    shown.append(index);
            }
        } else {
            for (qsizetype index = 0; index < m_content.count(); ++index) {
                if (m_search->matches(index, words))
                    shown.append(index);
            }
        }
        m_shown = std::move(shown);
        m_filtered = true;
    }
    m_words = words;
    endResetModel();
}

int PersonListModel::rowOf(qsizetype recordIndex) const
{
    if (!m_filtered)
        return recordIndex < m_content.count() ? int(recordIndex) : -1;
    const auto found = std::lower_bound(m_shown.begin(), m_shown.end(), recordIndex);
    return found != m_shown.end() && *found == recordIndex ? int(found - m_shown.begin()) : -1;
}

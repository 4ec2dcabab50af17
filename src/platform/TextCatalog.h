#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// French prose kept as data: one "key = text" entry per line; blank lines and lines starting with "#" are ignored.
class TextCatalog
{
public:
    static TextCatalog parse(const QString& content);
    static TextCatalog fromResource(const QString& path);

    QString text(const QString& key) const { return m_texts.value(key); }
    QStringList keys() const { return m_order; }

private:
    QHash<QString, QString> m_texts;
    QStringList m_order;
};

// The program's texts end their lines with CR LF, as the files it writes do. Text boxes and printed documents are
// given "\n", the only line end Qt documents for them.
QString withNewlines(QString text);

// Whole text of a resource file, decoded as UTF-8.
QString readResourceText(const QString& path);

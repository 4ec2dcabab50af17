#include "platform/TextCatalog.h"

#include <QFile>

QString readResourceText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

TextCatalog TextCatalog::parse(const QString& content)
{
    TextCatalog catalog;
    const QStringList lines = content.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype sep = line.indexOf(QStringLiteral(" = "));
        if (sep < 0)
            continue;
        const QString key = line.left(sep).trimmed();
        if (!catalog.m_texts.contains(key))
            catalog.m_order.append(key);
        catalog.m_texts.insert(key, line.mid(sep + 3));
    }
    return catalog;
}

TextCatalog TextCatalog::fromResource(const QString& path)
{
    return parse(readResourceText(path));
}

QString withNewlines(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

#include "help/GuideText.h"

#include "platform/TextCatalog.h"

QString guideText()
{
    QString text = readResourceText(QStringLiteral(":/help/texts/guide.txt"));
    text.remove(u'\r');
    while (text.endsWith(u'\n'))
        text.chop(1);
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

#include "persons/ThemeText.h"

QString themeText(const ShownProfile& in)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    text += QStringLiteral("[Psyche Rondo]\t\t\tDescriptif Ennéagramme de ") + in.firstName + u' ' + in.lastName +
            u'\t' + crlf;
    text += crlf;
    text += crlf;
    for (const QString& line : detailsValueLines(in.details))
        text += line + crlf;
    text += crlf;
    return text;
}

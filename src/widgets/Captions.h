#pragma once

#include <QString>

// Captions that several windows show and that the texts built from them repeat word for word. Plain strings, so
// that the core's analyses may include this header too.
namespace captions {

// The type's caption on the "Synthèse", "Détails" and interaction pages; the analyses, the theme and the report
// write it before the type as shown ("Type Ennéagramme : 4").
inline QString type()
{
    return QStringLiteral("Type Ennéagramme :");
}

} // namespace captions

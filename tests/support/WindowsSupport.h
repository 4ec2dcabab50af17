#pragma once

#include <QLibrary>

// Wine runs the Windows build in CI; it lacks a window manager, so a window there is never activated. Tests that
// need an active window skip themselves only under Wine, and run on a real Windows desktop.
inline bool runningUnderWine()
{
#ifdef Q_OS_WIN
    return QLibrary::resolve(QStringLiteral("ntdll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

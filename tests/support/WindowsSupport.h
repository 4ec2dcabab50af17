#pragma once

#include <QString>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// Wine runs the Windows build in CI; it lacks a window manager, so a window there is never activated. Tests that
// need an active window skip themselves only under Wine, and run on a real Windows desktop.
inline bool runningUnderWine()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

#ifdef Q_OS_WIN
// Keeps a file open without sharing it, as an editor or a synchronisation tool may: any other open fails with a
// sharing violation while this lives.
class ExclusiveFileHold
{
public:
    explicit ExclusiveFileHold(const QString& path)
        : m_handle(CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~ExclusiveFileHold()
    {
        if (held())
            CloseHandle(m_handle);
    }
    ExclusiveFileHold(const ExclusiveFileHold&) = delete;
    ExclusiveFileHold& operator=(const ExclusiveFileHold&) = delete;
    bool held() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};
#endif

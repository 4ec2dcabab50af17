#include "platform/FileAccess.h"

#include <QSaveFile>

#ifdef Q_OS_WIN
#include <QDir>

#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fileaccess {

namespace {

FaultInjector& faultInjector()
{
    static FaultInjector injector;
    return injector;
}

int injectedFault(WriteStep step, const QString& path)
{
    const FaultInjector& injector = faultInjector();
    return injector ? injector(step, path) : 0;
}

// Qt's commit() syncs the new file but ignores the result: a disk that fails late (a network share, a quota, a
// dying disk) would be reported as a success. The errno of a failure, or 0.
int syncToDisk(QFileDevice& file)
{
    const int handle = file.handle();
    if (handle < 0)
        return EIO;
#ifdef Q_OS_WIN
    const auto native = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
    if (native == INVALID_HANDLE_VALUE || !FlushFileBuffers(native))
        return errnoFor(GetLastError());
    return 0;
#else
    return ::fsync(handle) == 0 ? 0 : errno;
#endif
}

#ifdef Q_OS_WIN
// Whether another program holds the file open without sharing its deletion, as synchronisation tools and
// antiviruses do while they read it: Windows then refuses to rename anything over it. Asked before the first of two
// replacements, so that neither is made; EBUSY, or 0 when nothing is there or nothing stands in the way.
int replacementRefused(const QString& path)
{
    const HANDLE handle = CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return 0;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? EBUSY : 0;
}
#endif

} // namespace

void setFaultInjector(FaultInjector injector)
{
    faultInjector() = std::move(injector);
}

PendingWrite::PendingWrite(const QString& path) : m_path(path), m_file(path) {}

std::optional<QString> PendingWrite::prepare(const QByteArray& content,
                                             std::optional<QFileDevice::Permissions> permissions)
{
    if (existsButNotRegular(m_path))
        return notRegularReason(m_path);
    clearSystemError();
    if (!m_file.open(QIODevice::WriteOnly))
        return reasonFor(systemError(), m_file.error());
    const auto fail = [this]() -> std::optional<QString> {
        const int error = errno;
        const QFileDevice::FileError kind = m_file.error();
        m_file.cancelWriting();
        return reasonFor(error, kind == QFileDevice::NoError ? QFileDevice::WriteError : kind);
    };
    if (permissions && !m_file.setPermissions(*permissions))
        return fail();
    // write() may only fill Qt's buffer, and commit() can report success after its own final flush failed: every
    // byte must have reached the system before the new file may replace the old one.
    errno = 0;
    if (m_file.write(content) != content.size())
        return fail();
    errno = 0;
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError)
        return fail();
    int syncError = injectedFault(WriteStep::Sync, m_path);
    if (syncError == 0)
        syncError = syncToDisk(m_file);
    if (syncError != 0) {
        m_file.cancelWriting();
        return reasonFor(syncError, QFileDevice::WriteError);
    }
#ifdef Q_OS_WIN
    if (const int error = replacementRefused(m_path)) {
        m_file.cancelWriting();
        return reasonFor(error, QFileDevice::RenameError);
    }
#endif
    m_prepared = true;
    return std::nullopt;
}

std::optional<QString> PendingWrite::commit()
{
    if (!m_prepared)
        return reasonFor(0, QFileDevice::WriteError);
    m_prepared = false;
    if (const int error = injectedFault(WriteStep::Rename, m_path)) {
        m_file.cancelWriting();
        return reasonFor(error, QFileDevice::RenameError);
    }
    clearSystemError();
    if (!m_file.commit())
        return reasonFor(systemError(), m_file.error());
    return std::nullopt;
}

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& content,
                                      std::optional<QFileDevice::Permissions> permissions)
{
    PendingWrite write(path);
    if (auto problem = write.prepare(content, permissions))
        return problem;
    return write.commit();
}

} // namespace fileaccess

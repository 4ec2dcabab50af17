#include "platform/FileAccess.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
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

// Short whatever the target's name: a name of 255 bytes, the most a folder entry holds, must still be replaceable.
QString temporaryName(const QString& folder)
{
    return folder +
           QStringLiteral("/.pr%1.tmp").arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

#ifdef Q_OS_WIN

// The errno of a failed sync, or 0.
int syncToDisk(QFileDevice& file)
{
    const auto native = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    if (native == INVALID_HANDLE_VALUE || !FlushFileBuffers(native))
        return errnoFor(GetLastError());
    return 0;
}

// Puts from in place of to, whatever to was; the errno of a failure, or 0.
int replaceFile(const QString& from, const QString& to)
{
    if (MoveFileExW(QDir::toNativeSeparators(from).toStdWString().c_str(),
                    QDir::toNativeSeparators(to).toStdWString().c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return errnoFor(GetLastError());
}

// Whether another program holds the file open without sharing its deletion, as synchronisation tools and
// antiviruses do while they read it: Windows then refuses to rename anything over it. Asked before the first of two
// replacements, so that neither is made; EBUSY, or 0 when nothing is there or nothing stands in the way.
int replacementRefused(const QString& path)
{
    const HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return 0;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? EBUSY : 0;
}

#else

int syncToDisk(QFileDevice& file)
{
    return ::fsync(file.handle()) == 0 ? 0 : errno;
}

int replaceFile(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return errno;
    // The rename itself reaches the disk with the folder's entry: synced too, as far as the system allows.
    const int folder = ::open(QFile::encodeName(QFileInfo(to).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return 0;
}

#endif

} // namespace

void setFaultInjector(FaultInjector injector)
{
    faultInjector() = std::move(injector);
}

PendingWrite::PendingWrite(const QString& path, LinkAtTarget links)
    : m_path(path), m_target(links == LinkAtTarget::Follow ? endOfLinks(path) : path)
{
}

PendingWrite::~PendingWrite()
{
    discard();
}

void PendingWrite::discard()
{
    m_file.close();
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
    m_temporary.clear();
    m_prepared = false;
}

std::optional<QString> PendingWrite::prepare(const QByteArray& content,
                                             std::optional<QFileDevice::Permissions> permissions)
{
    discard();
    const EntryKind kind = entryKind(m_target);
    if (kind != EntryKind::Missing && kind != EntryKind::File && kind != EntryKind::MultiNamedFile &&
        kind != EntryKind::Link)
        return notRegularReason(m_target);
    const bool asked = permissions.has_value();
    if (!asked && (kind == EntryKind::File || kind == EntryKind::MultiNamedFile))
        permissions = QFileInfo(m_target).permissions();

    const QString folder = QFileInfo(m_target).absolutePath();
    int error = 0;
    for (int attempt = 0; attempt < 16; ++attempt) {
        m_file.setFileName(temporaryName(folder));
        clearSystemError();
        if (m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            m_temporary = m_file.fileName();
            break;
        }
        error = systemError();
        if (error != EEXIST)
            break;
    }
    if (m_temporary.isEmpty()) {
        const QString reason = reasonFor(error, QFileDevice::OpenError);
        // Through a link, the folder that refused is not the one the user named: say which it is.
        if (QFileInfo(m_path).absolutePath() != folder)
            return reason + QStringLiteral(" (dossier «\u00a0%1\u00a0»)").arg(QDir::toNativeSeparators(folder));
        return reason;
    }

    const auto fail = [this](int failure, QFileDevice::FileError fileError) -> std::optional<QString> {
        discard();
        return reasonFor(failure, fileError == QFileDevice::NoError ? QFileDevice::WriteError : fileError);
    };
    // A mode asked for is required; the earlier file's is copied when the system allows (it may belong to another
    // owner), which is not worth failing the write for.
    clearSystemError();
    if (permissions && !m_file.setPermissions(*permissions) && asked)
        return fail(systemError(), m_file.error());
    // write() may only fill Qt's buffer: every byte must have reached the system before the new file may replace
    // the old one.
    clearSystemError();
    if (m_file.write(content) != content.size())
        return fail(systemError(), m_file.error());
    clearSystemError();
    if (!m_file.flush() || m_file.error() != QFileDevice::NoError)
        return fail(systemError(), m_file.error());
    int syncError = injectedFault(WriteStep::Sync, m_path);
    if (syncError == 0)
        syncError = syncToDisk(m_file);
    if (syncError != 0)
        return fail(syncError, QFileDevice::WriteError);
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        return fail(0, m_file.error());
#ifdef Q_OS_WIN
    if (const int refused = replacementRefused(m_target))
        return fail(refused, QFileDevice::RenameError);
#endif
    m_prepared = true;
    return std::nullopt;
}

std::optional<QString> PendingWrite::commit()
{
    if (!m_prepared)
        return reasonFor(0, QFileDevice::WriteError);
    int error = injectedFault(WriteStep::Rename, m_path);
    if (error == 0)
        error = replaceFile(m_temporary, m_target);
    if (error != 0) {
        discard();
        return reasonFor(error, QFileDevice::RenameError);
    }
    m_temporary.clear();
    m_prepared = false;
    return std::nullopt;
}

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& content,
                                      std::optional<QFileDevice::Permissions> permissions, LinkAtTarget links)
{
    PendingWrite write(path, links);
    if (auto problem = write.prepare(content, permissions))
        return problem;
    return write.commit();
}

} // namespace fileaccess

#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace fileaccess {

QString reasonFor(int systemError, QFileDevice::FileError fallback)
{
    switch (systemError) {
    case ENOSPC:
        return QStringLiteral("le disque est plein");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("votre quota d'espace disque est atteint");
#endif
    case EFBIG:
        return QStringLiteral("le fichier dépasse la taille permise (disque plein ou limite du système)");
    case EACCES:
    case EPERM:
        return QStringLiteral("l'accès est refusé (droits insuffisants)");
    case EROFS:
        return QStringLiteral("le disque est en lecture seule");
    case ENOENT:
        return QStringLiteral("le dossier n'existe pas");
    case ENOTDIR:
        return QStringLiteral("un élément du chemin n'est pas un dossier");
    case EISDIR:
        return QStringLiteral("c'est un dossier, pas un fichier");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("le fichier est utilisé par un autre programme");
    case EIO:
        return QStringLiteral("erreur de lecture ou d'écriture sur le disque");
    case ENAMETOOLONG:
        return QStringLiteral("le chemin est trop long");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("trop de fichiers sont ouverts");
    case ENOMEM:
        return QStringLiteral("la mémoire est insuffisante");
    default:
        break;
    }
    switch (fallback) {
    case QFileDevice::ReadError:
        return QStringLiteral("erreur de lecture");
    case QFileDevice::WriteError:
        return QStringLiteral("erreur d'écriture (disque plein ou protégé ?)");
    case QFileDevice::OpenError:
        return QStringLiteral("le fichier ne peut pas être ouvert");
    case QFileDevice::PermissionsError:
        return QStringLiteral("l'accès est refusé (droits insuffisants)");
    case QFileDevice::RenameError:
        return QStringLiteral("le fichier ne peut pas être remplacé");
    default:
        break;
    }
    if (systemError != 0)
        return QStringLiteral("erreur du système n° %1").arg(systemError);
    return QStringLiteral("erreur du système de fichiers");
}

bool existsButNotRegular(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

namespace {

QString notRegularReason(const QString& path)
{
    if (QFileInfo(path).isDir())
        return reasonFor(EISDIR);
    return QStringLiteral("ce n'est pas un fichier ordinaire (tube, périphérique ou autre)");
}

QString tooLargeReason(qint64 maxBytes)
{
    return QStringLiteral("il dépasse %1 Mo, bien plus que ne devrait peser un fichier de personnes")
        .arg(maxBytes / (1024 * 1024));
}

} // namespace

#ifdef Q_OS_WIN
namespace {

std::wstring nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// The error numbers reasonFor() knows, for the Windows errors a write or a lock can meet; `unknown` for the others.
int errnoFor(DWORD error, int unknown = EIO)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    // Another program (an editor, a synchronisation tool) holds the file open without sharing it.
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_FILE_TOO_LARGE:
        return EFBIG;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return EIO;
    default:
        return unknown;
    }
}

// Whether another program holds the file open without sharing its deletion, as synchronisation tools and
// antiviruses do while they read it: Windows then refuses to rename anything over it. Asked before the first of two
// replacements, so that neither is made; EBUSY, or 0 when nothing is there or nothing stands in the way.
int replacementRefused(const QString& path)
{
    const HANDLE handle =
        CreateFileW(nativePath(path).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return 0;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? EBUSY : 0;
}

// Opened for nothing but its attributes, the link itself when it is one, and the file a folder too.
HANDLE openForQuery(const QString& path, bool followLink)
{
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    return CreateFileW(nativePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

} // namespace
#endif

ReadResult readRegularFile(const QString& path, qint64 maxBytes)
{
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists())
        return result; // also a link to nothing: there is no file yet

    if (!info.isFile()) {
        result.status = ReadResult::Status::NotRegular;
        result.reason = notRegularReason(path);
        return result;
    }

    QFile file;
#ifdef Q_OS_UNIX
    // Opened without blocking and checked on the open descriptor, so that a pipe swapped in after the check above
    // is still refused instead of hanging the program.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(errno, QFileDevice::OpenError);
        return result;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = ReadResult::Status::NotRegular;
        result.reason = notRegularReason(path);
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(0, file.error());
        return result;
    }
#else
    // Opened here rather than by QFile so that the system's own reason, a sharing violation above all, is known.
    const HANDLE handle =
        CreateFileW(nativePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(errnoFor(GetLastError()), QFileDevice::OpenError);
        return result;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(0, QFileDevice::OpenError);
        return result;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(0, file.error());
        return result;
    }
#endif
    if (file.size() > maxBytes) {
        result.status = ReadResult::Status::TooLarge;
        result.reason = tooLargeReason(maxBytes);
        return result;
    }
    // Read one byte past the bound: a file whose size the system under-reports is caught as well.
    QByteArray bytes = file.read(maxBytes + 1);
    const int error = errno;
    if (file.error() != QFileDevice::NoError) {
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(error, file.error());
        return result;
    }
    if (bytes.size() > maxBytes) {
        result.status = ReadResult::Status::TooLarge;
        result.reason = tooLargeReason(maxBytes);
        return result;
    }
    result.status = ReadResult::Status::Read;
    result.bytes = std::move(bytes);
    return result;
}

EntryKind entryKind(const QString& path)
{
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(nativePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EntryKind::Missing;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::Folder;
    const HANDLE handle = openForQuery(path, false);
    if (handle == INVALID_HANDLE_VALUE)
        return EntryKind::File; // in use by another program: let the caller's own open tell
    EntryKind kind = EntryKind::File;
    switch (GetFileType(handle)) {
    case FILE_TYPE_DISK: {
        BY_HANDLE_FILE_INFORMATION info = {};
        if (GetFileInformationByHandle(handle, &info) && info.nNumberOfLinks > 1)
            kind = EntryKind::MultiNamedFile;
        break;
    }
    case FILE_TYPE_CHAR:
        kind = EntryKind::Device;
        break;
    case FILE_TYPE_PIPE:
        kind = EntryKind::Pipe;
        break;
    default:
        kind = EntryKind::Other;
        break;
    }
    CloseHandle(handle);
    return kind;
#else
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return EntryKind::Missing; // or unreachable: whoever opens it next tells why
    if (S_ISREG(st.st_mode))
        return st.st_nlink > 1 ? EntryKind::MultiNamedFile : EntryKind::File;
    if (S_ISLNK(st.st_mode))
        return EntryKind::Link;
    if (S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    if (S_ISFIFO(st.st_mode))
        return EntryKind::Pipe;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return EntryKind::Device;
    if (S_ISSOCK(st.st_mode))
        return EntryKind::Socket;
    return EntryKind::Other;
#endif
}

QString describe(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Missing:
        return QStringLiteral("rien");
    case EntryKind::File:
        return QStringLiteral("un fichier ordinaire");
    case EntryKind::MultiNamedFile:
        return QStringLiteral("un fichier qui porte aussi un autre nom (lien physique)");
    case EntryKind::Link:
        return QStringLiteral("un lien vers un autre emplacement");
    case EntryKind::Folder:
        return QStringLiteral("un dossier");
    case EntryKind::Pipe:
        return QStringLiteral("un tube de communication");
    case EntryKind::Device:
        return QStringLiteral("un périphérique");
    case EntryKind::Socket:
        return QStringLiteral("une prise de communication (socket)");
    case EntryKind::Other:
        break;
    }
    return QStringLiteral("un élément spécial du système");
}

bool sameFile(const QString& first, const QString& second)
{
#ifdef Q_OS_WIN
    BY_HANDLE_FILE_INFORMATION info[2] = {};
    int known = 0;
    for (const QString* path : {&first, &second}) {
        const HANDLE handle = openForQuery(*path, true);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        if (GetFileInformationByHandle(handle, &info[known]))
            ++known;
        CloseHandle(handle);
    }
    return known == 2 && info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
#else
    struct stat a = {};
    struct stat b = {};
    return ::stat(QFile::encodeName(first).constData(), &a) == 0 &&
           ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
#endif
}

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

} // namespace

// Clears the system's reason before a Qt file call, so that a failure leaves only its own.
void clearSystemError()
{
    errno = 0;
#ifdef Q_OS_WIN
    SetLastError(ERROR_SUCCESS);
#endif
}

// The reason of the Qt file call that just failed: errno on Unix; on Windows, Qt's file engine calls the system
// directly and leaves the reason in GetLastError(), given here only when reasonFor() can name it.
int systemError()
{
#ifdef Q_OS_WIN
    if (errno == 0)
        return errnoFor(GetLastError(), 0);
#endif
    return errno;
}

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

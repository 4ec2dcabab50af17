#include "platform/FileProbe.h"

#include "platform/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fileaccess {

namespace {

QString tooLargeReason(qint64 maxBytes)
{
    return QStringLiteral("il dépasse %1 Mo, bien plus que ne devrait peser un fichier de personnes")
        .arg(maxBytes / (1024 * 1024));
}

// Opens the regular file at path for reading into file; otherwise says why in result and returns false.
bool openRegular(const QString& path, QFile& file, ReadResult& result);

} // namespace

bool existsButNotRegular(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

QString notRegularReason(const QString& path)
{
    if (QFileInfo(path).isDir())
        return reasonFor(EISDIR);
    return QStringLiteral("ce n'est pas un fichier ordinaire (tube, périphérique ou autre)");
}

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
    if (!openRegular(path, file, result))
        return result;
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

QString endOfLinks(const QString& path)
{
    QString current = path;
    for (int hop = 0; hop < 40 && entryKind(current) == EntryKind::Link; ++hop) {
        const QString next = QFileInfo(current).symLinkTarget();
        if (next.isEmpty())
            break;
        current = next;
    }
    return current;
}

#ifdef Q_OS_WIN

namespace {

std::wstring nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// Opened for nothing but its attributes, the link itself when it is one, and the file a folder too.
HANDLE openForQuery(const QString& path, bool followLink)
{
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    return CreateFileW(nativePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

bool openRegular(const QString& path, QFile& file, ReadResult& result)
{
    // Opened here rather than by QFile so that the system's own reason, a sharing violation above all, is known.
    const HANDLE handle =
        CreateFileW(nativePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(errnoFor(GetLastError()), QFileDevice::OpenError);
        return false;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(0, QFileDevice::OpenError);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(0, file.error());
        return false;
    }
    return true;
}

} // namespace

EntryKind entryKind(const QString& path)
{
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
}

bool sameFile(const QString& first, const QString& second)
{
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
}

#else

namespace {

bool openRegular(const QString& path, QFile& file, ReadResult& result)
{
    // Opened without blocking and checked on the open descriptor, so that a pipe swapped in after the caller's
    // check is still refused instead of hanging the program.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(errno, QFileDevice::OpenError);
        return false;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = ReadResult::Status::NotRegular;
        result.reason = notRegularReason(path);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.status = ReadResult::Status::Failed;
        result.reason = reasonFor(0, file.error());
        return false;
    }
    return true;
}

} // namespace

EntryKind entryKind(const QString& path)
{
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
}

bool sameFile(const QString& first, const QString& second)
{
    struct stat a = {};
    struct stat b = {};
    return ::stat(QFile::encodeName(first).constData(), &a) == 0 &&
           ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

#endif

} // namespace fileaccess

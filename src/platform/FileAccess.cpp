#include "platform/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fileaccess {

QString reasonFor(int systemError, QFileDevice::FileError fallback)
{
    switch (systemError) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("le disque est plein");
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
        return QStringLiteral("erreur d'écriture (disque plein ou protégé ?)");
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
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
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

PendingWrite::PendingWrite(const QString& path) : m_path(path), m_file(path) {}

std::optional<QString> PendingWrite::prepare(const QByteArray& content,
                                             std::optional<QFileDevice::Permissions> permissions)
{
    if (existsButNotRegular(m_path))
        return notRegularReason(m_path);
    errno = 0;
    if (!m_file.open(QIODevice::WriteOnly))
        return reasonFor(errno, m_file.error());
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
    m_prepared = true;
    return std::nullopt;
}

std::optional<QString> PendingWrite::commit()
{
    if (!m_prepared)
        return reasonFor(0, QFileDevice::WriteError);
    m_prepared = false;
    errno = 0;
    if (!m_file.commit())
        return reasonFor(errno, m_file.error());
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

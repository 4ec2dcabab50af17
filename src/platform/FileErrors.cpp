#include "platform/FileErrors.h"

#ifdef Q_OS_WIN
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
        return QStringLiteral("erreur d'écriture (disque plein ou protégé\u00a0?)");
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

#ifdef Q_OS_WIN

int errnoFor(unsigned long windowsError, int unknown)
{
    switch (windowsError) {
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

void clearSystemError()
{
    errno = 0;
    SetLastError(ERROR_SUCCESS);
}

int systemError()
{
    if (errno == 0)
        return errnoFor(GetLastError(), 0);
    return errno;
}

#else

void clearSystemError()
{
    errno = 0;
}

int systemError()
{
    return errno;
}

#endif

} // namespace fileaccess

#include "platform/DataFolder.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <objbase.h>
#include <shlobj.h>
#endif

namespace {

QString withTrailing(QString path, QChar separator)
{
    if (!path.endsWith(separator))
        path += separator;
    return path;
}

} // namespace

DataFolderResult settleDataFolder(const QString& appDataPath, const QString& executableFolder, QChar separator,
                                  const FolderMaker& makeFolder)
{
    DataFolderResult result;
    result.appFolder = withTrailing(executableFolder, separator);

    QString folder;
    if (!appDataPath.trimmed().isEmpty())
        folder = withTrailing(appDataPath, separator) + QStringLiteral("pr");
    else
        folder = result.appFolder + QStringLiteral("pr");

    if (!makeFolder(folder)) {
        folder = result.appFolder + QStringLiteral("pr");
        if (!makeFolder(folder)) {
            result.dataFolder = folder + separator;
            return result;
        }
    }
    result.dataFolder = folder + separator;
    result.ok = true;
    return result;
}

bool makeFolderIfMissing(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isDir(); // a regular file of that name cannot hold our files
#ifdef Q_OS_WIN
    // A new folder inherits the parent's access rules, which keep AppData to its user already.
    return QDir().mkpath(path);
#else
    // The folder holds the names and types of everyone stored: on a shared machine only its owner may look in.
    // The folders above it are the system's, made as the system makes them.
    return QDir().mkpath(info.absolutePath()) &&
           QDir().mkdir(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
#endif
}

QString systemAppDataPath()
{
#if defined(Q_OS_WIN)
    // The known-folder call has no length limit and keeps user names outside the ANSI code page intact. The system
    // allocates the path, and it must be freed even when the call fails.
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &path);
    const QString folder = SUCCEEDED(result) && path ? QString::fromWCharArray(path) : QString();
    CoTaskMemFree(path);
    return QDir::toNativeSeparators(folder);
#elif defined(Q_OS_MACOS)
    return QDir::homePath() + QStringLiteral("/Library/Application Support");
#else
    // A relative value is invalid and ignored, as the XDG base-directory rules say.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.trimmed().isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.local/share");
#endif
}

QChar platformSeparator()
{
    return QDir::separator();
}

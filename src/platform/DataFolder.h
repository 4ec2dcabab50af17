#pragma once

#include <QString>
#include <functional>

// Where the program keeps its files: the folder "pr" under the user's application-data folder, or beside the
// executable when that cannot be used.
struct DataFolderResult
{
    QString appFolder;  // always ends with the separator
    QString dataFolder; // always ends with the separator when ok
    bool ok = false;    // false: not even the fallback folder could be created
};

// Creates the folder when nothing exists at that path; true when a folder is there afterwards.
using FolderMaker = std::function<bool(const QString& path)>;

DataFolderResult settleDataFolder(const QString& appDataPath, const QString& executableFolder, QChar separator,
                                  const FolderMaker& makeFolder);

bool makeFolderIfMissing(const QString& path);

// The per-user application-data folder of this system (roaming AppData, XDG data home, Application Support).
QString systemAppDataPath();
QChar platformSeparator();

#pragma once

#include "platform/FileErrors.h"
#include "platform/FileProbe.h"

#include <QByteArray>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>
#include <functional>
#include <optional>

// Whole-file writes for the user's own files, synced and renamed into place, with every failure told in French.
namespace fileaccess {

// Steps of a write that tests can make fail as a failing disk would: the injector gets the step and the path being
// written, and returns the system error number to fail with, or 0 to let the step run.
enum class WriteStep { Sync, Rename };
using FaultInjector = std::function<int(WriteStep step, const QString& path)>;
void setFaultInjector(FaultInjector injector);

// A replacement of the file at path, in two steps, so that two files can be written before either replaces its old
// version: prepare() writes the new content beside the file, commit() puts it in place. Destroyed without a commit,
// it leaves the file as it was.
class PendingWrite
{
public:
    explicit PendingWrite(const QString& path);
    PendingWrite(const PendingWrite&) = delete;
    PendingWrite& operator=(const PendingWrite&) = delete;

    // With permissions, the new file gets them; otherwise those of the file it replaces. Every byte is on the disk
    // when it returns without a problem. The French reason of a failure.
    std::optional<QString> prepare(const QByteArray& content,
                                   std::optional<QFileDevice::Permissions> permissions = std::nullopt);
    std::optional<QString> commit();

private:
    QString m_path;
    QSaveFile m_file;
    bool m_prepared = false;
};

// Replaces the file at path with content, all or nothing: on any failure the file is as it was. With permissions,
// the new file gets them. Returns the French reason of a failure.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& content,
                                      std::optional<QFileDevice::Permissions> permissions = std::nullopt);

} // namespace fileaccess

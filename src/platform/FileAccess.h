#pragma once

#include "platform/FileErrors.h"
#include "platform/FileProbe.h"

#include <QByteArray>
#include <QFile>
#include <QFileDevice>
#include <QString>
#include <functional>
#include <optional>

// The one way the program writes a file: the whole content, built in memory, goes to a temporary file beside the
// target; every write, the flush and the sync to disk are checked; then a rename puts it in place. On any failure
// the earlier file is left exactly as it was and the French reason is returned.
namespace fileaccess {

// What a link at the target's name means. The directory file may be a link the user made to a file elsewhere (a
// synchronised folder): the file at the end of the links is replaced. Any other name the user chose is replaced as a
// name: a link there, dangling or not, is never followed, so a write never lands outside the chosen folder.
enum class LinkAtTarget { Replace, Follow };

// Steps of a write that tests can make fail as a failing disk would: the injector gets the step and the path being
// written, and returns the system error number to fail with, or 0 to let the step run.
enum class WriteStep { Sync, Rename };
using FaultInjector = std::function<int(WriteStep step, const QString& path)>;
void setFaultInjector(FaultInjector injector);

// A replacement of the file at path, in two steps, so that two files can be written before either replaces its old
// version: prepare() writes the new content beside the file, commit() puts it in place. Destroyed without a commit,
// it leaves the file as it was and removes its temporary file.
class PendingWrite
{
public:
    explicit PendingWrite(const QString& path, LinkAtTarget links = LinkAtTarget::Replace);
    ~PendingWrite();
    PendingWrite(const PendingWrite&) = delete;
    PendingWrite& operator=(const PendingWrite&) = delete;

    // With permissions, the new file gets them; otherwise those of the file it replaces, or the system's default
    // for a new file. Every byte is on the disk when it returns without a problem. The French reason of a failure.
    std::optional<QString> prepare(const QByteArray& content,
                                   std::optional<QFileDevice::Permissions> permissions = std::nullopt);
    std::optional<QString> commit();

private:
    void discard();

    QString m_path;   // as the caller named it
    QString m_target; // the name actually replaced
    QString m_temporary;
    QFile m_file;
    bool m_prepared = false;
};

// Replaces the file at path with content, all or nothing: on any failure the file is as it was. With permissions,
// the new file gets them. Returns the French reason of a failure.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& content,
                                      std::optional<QFileDevice::Permissions> permissions = std::nullopt,
                                      LinkAtTarget links = LinkAtTarget::Replace);

} // namespace fileaccess

#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>
#include <functional>
#include <optional>

// Whole-file reads and writes for the user's own files, with every failure told in French.
namespace fileaccess {

// Why a file operation failed, as a French phrase (no capital, no final stop) for the error number the system gave.
QString reasonFor(int systemError, QFileDevice::FileError fallback = QFileDevice::UnspecifiedError);

// Around a Qt file call: clearSystemError() before it, systemError() after its failure gives the system's reason as
// an error number reasonFor() reads, 0 when there is none. On Windows that reason is GetLastError()'s, since Qt
// calls the system directly there and errno stays as it was.
void clearSystemError();
int systemError();

struct ReadResult
{
    enum class Status { Missing, Read, NotRegular, TooLarge, Failed };
    Status status = Status::Missing;
    QByteArray bytes;
    QString reason; // French, when not Read or Missing
};

// Reads a regular file whole. Anything else at that path (a folder, a pipe, a device) is refused without being
// opened for long, so a pipe cannot hang the program, and a file larger than maxBytes is refused.
ReadResult readRegularFile(const QString& path, qint64 maxBytes);

// True when something exists at path that is not a regular file (a folder, a pipe, a device, a socket).
bool existsButNotRegular(const QString& path);

// What a path names, the last link not followed.
enum class EntryKind { Missing, File, MultiNamedFile, Link, Folder, Pipe, Device, Socket, Other };
EntryKind entryKind(const QString& path);
// The kind as the user is told it, after « c'est »: "un tube", "un dossier"...
QString describe(EntryKind kind);

// True when both paths lead, through links if any, to one and the same file: replacing one replaces the other.
bool sameFile(const QString& first, const QString& second);

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

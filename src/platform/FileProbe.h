#pragma once

#include <QByteArray>
#include <QString>

// What a path names, and whole-file reads that refuse anything but a regular file of a bounded size.
namespace fileaccess {

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
// Why such a thing cannot be read or replaced as a file, in French.
QString notRegularReason(const QString& path);

// What a path names, the last link not followed.
enum class EntryKind { Missing, File, MultiNamedFile, Link, Folder, Pipe, Device, Socket, Other };
EntryKind entryKind(const QString& path);
// The kind as the user is told it, after « c'est »: "un tube", "un dossier"...
QString describe(EntryKind kind);

// The path at the end of the links at path (path itself when it is no link): the file a write that follows links
// replaces. A chain too long to be anything but a loop ends where it stops.
QString endOfLinks(const QString& path);

// True when both paths lead, through links if any, to one and the same file: replacing one replaces the other.
bool sameFile(const QString& first, const QString& second);

} // namespace fileaccess

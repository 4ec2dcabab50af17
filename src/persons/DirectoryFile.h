#pragma once

#include "persons/PersonRecord.h"

#include <QList>
#include <QString>

// The directory file prrep.txt: where it lies, how it reads, and how it is rebuilt with new records.
QString directoryFilePath(const QString& dataFolder); // dataFolder + "prrep.txt"
QString backupFilePath(const QString& dataFolder);    // dataFolder + "prrep.bak"
// Held while a save writes: "prrep.txt.lock" beside the file prrep.txt leads to, through links if any.
QString lockFilePath(const QString& dataFolder);

// Far beyond any real directory (a million persons take about 40 MB); a larger file is refused, not read.
inline constexpr qint64 kMaxDirectoryBytes = qint64(256) * 1024 * 1024;

// The directory file as read: its bytes and where each record lies in them. Records are decoded only when asked
// for, so that a very large directory costs little more than its bytes.
struct DirectoryContent
{
    enum class Status { Missing, Read, Unreadable, InvalidLine };
    struct Span
    {
        qsizetype start = 0;
        qsizetype length = 0; // without the line end
    };

    Status status = Status::Missing;
    QByteArray bytes;    // the whole file as read
    QList<Span> lines;   // every record up to the first invalid line; blank lines are skipped
    int invalidLine = 0; // 1-based number of the first invalid line
    QString reason;      // French: why the file could not be read, or what is wrong with the invalid line

    qsizetype count() const { return lines.size(); }
    QByteArrayView line(qsizetype index) const;
    PersonRecord record(qsizetype index) const;
    // Index of the first record with the person's names, other than the one at skip, or -1.
    qsizetype find(const PersonRecord& person, qsizetype skip = -1) const;
};

// Reads the directory file; lines may end in CR LF, LF alone or CR alone.
DirectoryContent readDirectory(const QString& path);
// The records of a directory file's bytes, up to the first invalid line.
DirectoryContent parseDirectory(QByteArray bytes);
// What went wrong reading the file at path, as French sentences; empty when it was read (or is missing).
QString readProblem(const DirectoryContent& content, const QString& path);

// The directory rewritten: a pending candidate replaces the first record with its names, in place; the others are
// appended, the user's first. Untouched records keep their bytes; every line ends with CR LF.
QByteArray rebuildDirectory(const DirectoryContent& content, const PersonRecord* user, const PersonRecord* partner);

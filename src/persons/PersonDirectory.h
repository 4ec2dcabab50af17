#pragma once

#include "persons/PersonRecord.h"

#include <QList>
#include <QString>
#include <functional>

QString directoryFilePath(const QString& dataFolder); // dataFolder + "prrep.txt"
QString backupFilePath(const QString& dataFolder);    // dataFolder + "prrep.bak"
QString lockFilePath(const QString& dataFolder);      // dataFolder + "prrep.txt.lock", held while a save writes

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
    int invalidLine = 0; // 1-based number of the first invalid line; 0 when the file as a whole is in a wrong encoding
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

struct SaveProblem
{
    QString message; // French, for the user
    bool fieldProblem = false;
    bool partnerLine = false;
    RecordField field = RecordField::LastName;
};

// The directory rewritten: a pending candidate replaces the first record with its names, in place; the others are
// appended, the user's first. Untouched records keep their bytes; every line ends with CR LF.
QByteArray rebuildDirectory(const DirectoryContent& content, const PersonRecord* user, const PersonRecord* partner);

class PersonDirectory
{
public:
    // Asked before replacing a stored person: the question text and whether it carries the question icon.
    using Confirm = std::function<bool(const QString& question, bool questionIcon)>;

    explicit PersonDirectory(QString dataFolder);

    // How long a save waits for another running copy of the program to finish its own save.
    void setLockWait(int milliseconds) { m_lockWaitMs = milliseconds; }
    // The largest directory a save may leave: one the program can read back. Tests lower it.
    void setSizeLimit(qint64 bytes) { m_sizeLimit = bytes; }

    // Saves the user's and the partner's lines. Returns nothing when the save went through (or had nothing to do),
    // otherwise why it stopped; in that case both files are as they were.
    std::optional<SaveProblem> save(const PersonRecord& user, const PersonRecord& partner,
                                    const Confirm& confirm) const;

private:
    QString m_dataFolder;
    int m_lockWaitMs = 5000;
    qint64 m_sizeLimit = kMaxDirectoryBytes;
};

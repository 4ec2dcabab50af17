#pragma once

#include "persons/PersonRecord.h"

#include <QList>
#include <QString>
#include <functional>

QString directoryFilePath(const QString& dataFolder); // dataFolder + "prrep.txt"
QString backupFilePath(const QString& dataFolder);    // dataFolder + "prrep.bak"

struct DirectoryLine
{
    QByteArray raw; // the line as stored, without its line end, so that it can be written back byte for byte
    PersonRecord record;
};

struct DirectoryContent
{
    enum class Status { Missing, Read, Unreadable, InvalidLine };
    Status status = Status::Missing;
    QByteArray bytes;           // the whole file as read
    QList<DirectoryLine> lines; // every valid record up to the first invalid line
    int invalidLine = 0;        // 1-based number of the first invalid line
    QString reason;             // the system's reason when the file could not be read
};

// Reads the directory file; lines may end in CR LF or LF alone.
DirectoryContent readDirectory(const QString& path);
// The records of a directory file's bytes, up to the first invalid line.
DirectoryContent parseDirectory(QByteArray bytes);
// What went wrong reading the file at path, as one French sentence; empty when it was read (or is missing).
QString readProblem(const DirectoryContent& content, const QString& path);

// The person (last name, first name) whose data is saved, from the user's or the partner's line.
struct SaveCandidate
{
    PersonRecord record;
    bool partnerLine = false;
};

struct SaveProblem
{
    QString message; // French, for the user
    bool fieldProblem = false;
    bool partnerLine = false;
    RecordField field = RecordField::LastName;
};

// The directory rewritten: a pending candidate replaces the first record with its names, in place; the others are
// appended, the user's first. Untouched records keep their bytes; every line ends with CR LF.
QByteArray rebuildDirectory(const QList<DirectoryLine>& lines, const PersonRecord* user, const PersonRecord* partner);

class PersonDirectory
{
public:
    // Asked before replacing a stored person: the question text and whether it carries the question icon.
    using Confirm = std::function<bool(const QString& question, bool questionIcon)>;

    explicit PersonDirectory(QString dataFolder);

    // Saves the user's and the partner's lines. Returns nothing when the save went through (or had nothing to do),
    // otherwise why it stopped; in that case the directory file is as it was.
    std::optional<SaveProblem> save(const PersonRecord& user, const PersonRecord& partner,
                                    const Confirm& confirm) const;

private:
    QString m_dataFolder;
};

// Writes the whole content atomically; an error message naming the path when it fails.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& content);

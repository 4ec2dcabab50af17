#pragma once

#include "persons/DirectoryFile.h"
#include "persons/PersonRecord.h"
#include "persons/SaveFailure.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct SaveProblem
{
    QString message; // French, for the user
    bool fieldProblem = false;
    bool partnerLine = false;
    RecordField field = RecordField::LastName;
    SaveFailure failure = SaveFailure::FieldNotStorable;
};

// What became of erasing a person.
struct EraseOutcome
{
    enum class Status { Erased, Vanished, Failed };
    Status status = Status::Erased;
    QString message; // French, for the user, unless erased
};

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

    // Erases for good the record at index of shown (the file as it was read for the list) from the directory file
    // and from its backup, under the same lock and through the same writes as a save. Every other byte of both
    // files stays. Vanished when the file no longer holds that line as it was read; then nothing is written.
    EraseOutcome erase(const DirectoryContent& shown, qsizetype index) const;

private:
    QString m_dataFolder;
    int m_lockWaitMs = 5000;
    qint64 m_sizeLimit = kMaxDirectoryBytes;
};

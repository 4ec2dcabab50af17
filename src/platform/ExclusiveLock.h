#pragma once

#include <QLockFile>
#include <QString>

namespace filelock {

// The lock that keeps two running copies of the program from writing at once, held until destroyed. It is
// QLockFile, guarded against what it cannot cope with: whatever is at the lock's path is looked at before QLockFile
// opens it (no more than a few kilobytes of it are ever read), and a lock that no running program can hold is
// recovered after a moment at most.
class ExclusiveLock
{
public:
    enum class Status {
        Taken,
        Busy,         // another running copy holds it, and kept it for the whole wait
        NotAFile,     // path names something QLockFile must not open; reason says what
        NotRemovable, // a lock is there and the system does not let it be removed; reason says why
        NotCreated,   // reason says why
        TooLarge,     // a file far larger than any lock is there: nothing of it is read
    };
    struct Outcome
    {
        Status status = Status::Taken;
        QString path;   // the file at fault: the lock, or the one QLockFile uses while it removes a dead lock
        QString reason; // French, no capital, no final stop
    };

    explicit ExclusiveLock(const QString& path);
    Outcome take(int waitMs);

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace filelock

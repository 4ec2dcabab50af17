#pragma once

#include <QFileDevice>
#include <QString>

#include <cerrno>

// The French reasons of file failures, and the system's error number behind a Qt file call that failed.
namespace fileaccess {

// Why a file operation failed, as a French phrase (no capital, no final stop) for the error number the system gave.
QString reasonFor(int systemError, QFileDevice::FileError fallback = QFileDevice::UnspecifiedError);

// Clears the system's reason before a Qt file call, so that a failure leaves only its own.
void clearSystemError();

// The reason of the Qt file call that just failed: errno on Unix; on Windows, Qt's file engine calls the system
// directly and leaves the reason in GetLastError(), given here only when reasonFor() can name it.
int systemError();

#ifdef Q_OS_WIN
// The error numbers reasonFor() knows, for the Windows errors a write or a lock can meet; `unknown` for the others.
int errnoFor(unsigned long windowsError, int unknown = EIO);
#endif

} // namespace fileaccess

#pragma once

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

// At a window's first paint: prints the steady-clock time and the process's peak memory, then ends the program.
class StartupProbe : public QObject
{
public:
    static void watch(QWidget& window) { window.installEventFilter(new StartupProbe(&window)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("READY %lld %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()),
                        peakMemoryKiB());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    using QObject::QObject;

    static long long peakMemoryKiB()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
        return 0;
    }

    bool m_done = false;
};

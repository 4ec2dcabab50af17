#pragma once

#include "MainWindowFixture.h"

#include <QObject>
#include <memory>

// The test classes that drive the main window share these slots: a fresh window for each test function, and after
// it no message box that no answer was queued for, and no window left behind.
class MainWindowTest : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup()
    {
        const QStringList unexpected = f->messages.unexpected;
        f.reset();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(u"\n")));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

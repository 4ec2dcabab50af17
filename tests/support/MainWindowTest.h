#pragma once

#include "MainWindowFixture.h"

#include <QObject>
#include <memory>

// The test classes that drive the main window share these slots: a fresh window for each test function, and after
// it no message box that no answer was queued for, no queued answer left over and no window left open (the
// fixture and the fake message service check both as they go).
class MainWindowTest : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() { f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { f.reset(); }
};

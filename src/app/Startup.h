#pragma once

#include "platform/DataFolder.h"

#include <QString>
#include <functional>

class QApplication;
class QMainWindow;
class MessageService;
class PrintService;

// Where start-up settles the data folder, and the services the main window works with.
struct StartupContext
{
    QString appDataPath;      // the system's application-data folder; blank when unknown
    QString executableFolder; // the folder of the program
    QChar separator;
    FolderMaker makeFolder;
    MessageService* messages = nullptr;
    PrintService* printer = nullptr;
};

// Everything the program does from an application object to its event loop: French locale and Qt's French
// translations, the data folder, the real services and the main window. `shown` is called once the window is shown.
int runPsycheRondo(QApplication& app, const std::function<void(QMainWindow&)>& shown = {});

// From the data folder on, with the given folders and services: tells the user and returns 1 when no data folder
// can be made, otherwise shows the main window and runs the event loop.
int runPsycheRondo(QApplication& app, const StartupContext& context,
                   const std::function<void(QMainWindow&)>& shown = {});

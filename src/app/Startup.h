#pragma once

#include <functional>

class QApplication;
class QMainWindow;

// Everything the program does from an application object to its event loop: French locale and Qt's French
// translations, the data folder, the real services and the main window. `shown` is called once the window is shown.
int runPsycheRondo(QApplication& app, const std::function<void(QMainWindow&)>& shown = {});

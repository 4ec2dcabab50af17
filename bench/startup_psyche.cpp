// Psyche Rondo as it starts, ending itself at the main window's first paint.
#include "StartupProbe.h"
#include "app/Startup.h"

#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return runPsycheRondo(app, [](QMainWindow& window) { StartupProbe::watch(window); });
}

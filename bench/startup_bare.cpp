// The smallest Qt main window of the same size: the yardstick for Psyche Rondo's start-up.
#include "StartupProbe.h"

#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Fichier"));
    window.resize(809, 570);
    window.show();
    StartupProbe::watch(window);
    return app.exec();
}

#include "app/Startup.h"

#include "app/MainWindow.h"
#include "platform/DataFolder.h"
#include "platform/MessageService.h"
#include "platform/PrintService.h"
#include "widgets/EnneagramFigure.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int runPsycheRondo(QApplication& app, const std::function<void(QMainWindow&)>& shown)
{
    QApplication::setApplicationName(QStringLiteral("Psyche Rondo"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QApplication::setWindowIcon(EnneagramFigure::applicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.psycherondo.PsycheRondo"));

    // Qt's own dialogs (the printer dialog, standard buttons) in French.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtMessageService messages;
    QtPrintService printer;
    StartupContext context;
    context.appDataPath = QDir::toNativeSeparators(systemAppDataPath());
    context.executableFolder = QDir::toNativeSeparators(QApplication::applicationDirPath());
    context.separator = platformSeparator();
    context.makeFolder = makeFolderIfMissing;
    context.messages = &messages;
    context.printer = &printer;
    return runPsycheRondo(app, context, shown);
}

int runPsycheRondo(QApplication& app, const StartupContext& context, const std::function<void(QMainWindow&)>& shown)
{
    const DataFolderResult folder =
        settleDataFolder(context.appDataPath, context.executableFolder, context.separator, context.makeFolder);
    if (!folder.ok) {
        context.messages->show(
            nullptr, {QStringLiteral("Le dossier de données «\u00a0%1\u00a0» n'a pas pu être créé. Psyche Rondo ne "
                                     "peut pas démarrer.")
                          .arg(folder.dataFolder),
                      QStringLiteral("Erreur"), MessageButtons::Ok, MessageIcon::Exclamation});
        return 1;
    }

    Services services;
    services.messages = context.messages;
    services.printer = context.printer;
    services.dataFolder = folder.dataFolder;
    services.randomSeed = [] { return quint32(QDateTime::currentMSecsSinceEpoch()); };

    MainWindow window(services);
    window.show();
    if (shown)
        shown(window);
    return app.exec();
}

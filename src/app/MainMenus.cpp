#include "app/MainMenus.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                 const std::function<void()>& command)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    if (command)
        QObject::connect(action, &QAction::triggered, action, [command] { command(); });
    return action;
}

} // namespace

QMenu* addMainMenus(QMenuBar* bar, const MenuCommands& commands)
{
    QMenu* file = bar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("m_fichier"));
    addItem(file, "m_ouvrir", QStringLiteral("Ouvrir..."), QKeySequence(Qt::CTRL | Qt::Key_O), commands.openPerson);
    addItem(file, "m_enregistrer", QStringLiteral("Sauvegarder"), QKeySequence(Qt::CTRL | Qt::Key_S),
            commands.savePersons);
    file->addSeparator()->setObjectName(QStringLiteral("m_trait1"));
    addItem(file, "m_imprimer2", QStringLiteral("&Imprimer le thème..."), QKeySequence(Qt::CTRL | Qt::Key_P),
            commands.printTheme);
    file->addSeparator()->setObjectName(QStringLiteral("m_trait2"));
    QAction* quit = addItem(file, "m_quitter", QStringLiteral("Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q), {});
    QObject::connect(quit, &QAction::triggered, qApp, &QApplication::quit, Qt::QueuedConnection);

    QMenu* interpretation = bar->addMenu(QStringLiteral("&Interprétation"));
    interpretation->setObjectName(QStringLiteral("m_interprétation"));
    addItem(interpretation, "m_imprimer", QStringLiteral("Imprimer..."), QKeySequence(Qt::CTRL | Qt::Key_I),
            commands.printReport);
    addItem(interpretation, "m_exporter", QStringLiteral("Exporter..."), QKeySequence(Qt::CTRL | Qt::Key_E),
            commands.exportReport);
    setMenuEnabled(interpretation, false);

    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("m_aide"));
    addItem(help, "m_apropos", QStringLiteral("A propos de Psyche Rondo..."), {}, commands.showAbout);
    addItem(help, "m_aide2", QStringLiteral("&Aide..."), QKeySequence(Qt::Key_F1), commands.showHelp);
    return interpretation;
}

void setMenuEnabled(QMenu* menu, bool enabled)
{
    menu->menuAction()->setEnabled(enabled);
    for (QAction* item : menu->actions())
        item->setEnabled(enabled);
}

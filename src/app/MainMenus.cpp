#include "app/MainMenus.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

// A line edit takes some shortcuts for itself (Ctrl+E is "end of line" on Linux) before the menu sees them. The
// report's commands act whatever control has the focus: their keys, pressed in the menu bar's window, trigger them.
class WindowShortcuts : public QObject
{
public:
    WindowShortcuts(QMenuBar* bar, QList<QAction*> actions) : QObject(bar), m_bar(bar), m_actions(std::move(actions))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != m_bar->window())
            return false;
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (QAction* action : std::as_const(m_actions)) {
            if (action->isEnabled() && action->shortcut() == pressed) {
                action->trigger();
                return true;
            }
        }
        return false;
    }

private:
    QMenuBar* m_bar;
    QList<QAction*> m_actions;
};

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
    QAction* print = addItem(interpretation, "m_imprimer", QStringLiteral("Imprimer..."),
                             QKeySequence(Qt::CTRL | Qt::Key_I), commands.printReport);
    QAction* exportReport = addItem(interpretation, "m_exporter", QStringLiteral("Exporter..."),
                                    QKeySequence(Qt::CTRL | Qt::Key_E), commands.exportReport);
    new WindowShortcuts(bar, {print, exportReport});
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

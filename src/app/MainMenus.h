#pragma once

#include <functional>

class QMenu;
class QMenuBar;

// What the menu items do; the items themselves are the menus' business.
struct MenuCommands
{
    std::function<void()> openPerson;
    std::function<void()> savePersons;
    std::function<void()> printTheme;
    std::function<void()> printReport;
    std::function<void()> exportReport;
    std::function<void()> showAbout;
    std::function<void()> showHelp;
};

// "Fichier", "Interprétation" and "?", their items named m_... as the program calls them, with their shortcuts.
// "Quitter" ends the application once the event that chose it is over. Returns "Interprétation", which starts
// disabled with its items: they follow the "Interpréter" buttons.
QMenu* addMainMenus(QMenuBar* bar, const MenuCommands& commands);

// The menu's title and every item of it.
void setMenuEnabled(QMenu* menu, bool enabled);

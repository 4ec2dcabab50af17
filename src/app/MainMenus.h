#pragma once

#include <functional>

class QMenuBar;

// What the menu items do; the items themselves are the menus' business.
struct MenuCommands
{
    std::function<void()> openPerson;
    std::function<void()> savePersons;
    std::function<void()> printTheme;
    std::function<void()> showAbout;
    std::function<void()> showHelp;
};

// "Fichier", the switched-off "Interprétation" and "?", their items named m_... as the program calls them, with
// their shortcuts. "Quitter" ends the application once the event that chose it is over.
void addMainMenus(QMenuBar* bar, const MenuCommands& commands);

#pragma once

#include "app/MainPages.h"
#include "app/MainState.h"
#include "help/HelpWindow.h"
#include "interpretation/InterpretationWindow.h"
#include "questionnaire/AnswerSheet.h"
#include "typology/ShownProfile.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class MessageService;
class PrintService;
class QMenu;
class QPushButton;

struct Services
{
    MessageService* messages = nullptr;
    PrintService* printer = nullptr;
    QString dataFolder;                  // ends with the platform's separator
    std::function<quint32()> randomSeed; // the questionnaire's order; from the clock unless a test fixes it
};

// The main window puts the person strip and the four pages together, runs the menus and the services, and keeps
// MainState (active type, wings, scores, quadrant table). What is shown stays in the strip and the pages;
// shownProfile() takes it in one piece for the analyses, the theme, the report and the save.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    const MainState& state() const { return m_state; }
    ShownProfile shownProfile() const;

    InterpretationWindow* interpretationWindow() const { return m_interpretation; }
    HelpWindow* helpWindow() const { return m_help; }
    QPushButton* defaultButton() const { return m_defaultButton; }

    // Commands of the buttons and menus.
    void answerQuestionnaire();
    void compute();
    void interpretSynthesis();
    void interpretDetails();
    void interpretQuadrant();
    void computeInteraction();
    void interpretInteraction();
    void savePersons();
    void openPerson();
    void printTheme();
    void printReport();
    void exportReport();
    void showHelp();
    void showAbout();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setDefaultButton(QPushButton* button);
    void showResult();
    // Empties both persons and every result; the active type stays.
    void effacer();
    // The program's own names for building the interpretation window's lines and the theme.
    void titre(const QString& line);
    void calcul_synthese(const ShownProfile& shown);
    void calcul_detail(const ShownProfile& shown);
    void calcul_carre(const ShownProfile& shown);
    void calcul_entente(const ShownProfile& shown);
    void descriptif_theme(const ShownProfile& shown);

    InterpretationWindow& interpretation(); // created hidden when first needed
    void showLines(const QStringList& lines);
    bool refuseWithoutType(const QString& message);
    // Every analysis the same way: the refusal without a type, else the window titled and filled by build.
    void interpret(const QString& refusal, const QString& title, void (MainWindow::*build)(const ShownProfile&));

    Services m_services;
    MainState m_state;
    QString m_themeText;
    // The answers of a cancelled questionnaire, for the names they were given for; never written to disk.
    std::optional<AnswerSheet> m_keptAnswers;
    QPointer<InterpretationWindow> m_interpretation;
    QPointer<HelpWindow> m_help;
    QPushButton* m_defaultButton = nullptr;

    MainPages m_pages;
    QMenu* m_reportMenu = nullptr; // "Interprétation": enabled with the "Interpréter" buttons
};

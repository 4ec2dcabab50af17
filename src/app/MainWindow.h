#pragma once

#include "app/MainState.h"
#include "help/HelpWindow.h"
#include "interpretation/InterpretationWindow.h"
#include "interpretation/ReportInput.h"
#include "questionnaire/AnswerSheet.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class DetailsPage;
class InteractionPage;
class MessageService;
class PersonStrip;
class PrintService;
class QuadrantPage;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class SynthesisPage;

struct Services
{
    MessageService* messages = nullptr;
    PrintService* printer = nullptr;
    QString dataFolder;                  // ends with the platform's separator
    std::function<quint32()> randomSeed; // the questionnaire's order; from the clock unless a test fixes it
};

// The main window puts the person strip and the four pages together, runs the menus and the services, and keeps
// MainState (active type, wings, scores, quadrant table). What is shown stays in the pages, and the analyses and
// the theme read it back from there.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const Services& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    const MainState& state() const { return m_state; }
    MainState& state() { return m_state; }

    void effacer();
    void showResult();

    // The interpretation window's operations; each creates the window (hidden) when needed.
    void clearInterpretation() { interpretation().clearText(); }
    void setInterpretationTitle(const QString& title) { interpretation().setTitle(title); }
    void titre(const QString& line) { interpretation().appendLine(line); }
    void interprete2(const QString& line) { titre(line); }
    InterpretationWindow* interpretationWindow() const { return m_interpretation; }
    HelpWindow* helpWindow() const { return m_help; }

    void calcul_synthese();
    void calcul_detail();
    void calcul_carre();
    void calcul_entente();
    void descriptif_theme();

    QPushButton* defaultButton() const { return m_defaultButton; }
    // What the complete report shows, read back from the strip and the pages as they stand.
    ReportInput reportInput() const;

    // Commands of the buttons and menus.
    void answerQuestionnaire();
    void compute();
    void clearAll();
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
    void addPage(QWidget* page, const QString& title);
    void setDefaultButton(QPushButton* button);
    InterpretationWindow& interpretation();
    void showLines(const QStringList& lines);
    bool refuseWithoutType(const QString& message);
    // Every analysis the same way: the refusal without a type, else the window titled and filled by build.
    void interpret(const QString& refusal, const QString& title, void (MainWindow::*build)());

    Services m_services;
    MainState m_state;
    QString m_themeText;
    // The answers of a cancelled questionnaire, for the names they were given for; never written to disk.
    std::optional<AnswerSheet> m_keptAnswers;
    QPointer<InterpretationWindow> m_interpretation;
    QPointer<HelpWindow> m_help;
    QPushButton* m_defaultButton = nullptr;

    PersonStrip* m_strip = nullptr;
    QTabWidget* m_tabs = nullptr;
    SynthesisPage* m_synthesisPage = nullptr;
    DetailsPage* m_detailsPage = nullptr;
    QuadrantPage* m_quadrantPage = nullptr;
    InteractionPage* m_interactionPage = nullptr;
    QPlainTextEdit* m_rtb1 = nullptr; // the theme's print buffer, never shown, made when first printed
    QMenu* m_reportMenu = nullptr;    // "Interprétation": enabled with the "Interpréter" buttons
};

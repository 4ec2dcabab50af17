#pragma once

// The window keeps the person's shown texts in its own fields and labels, as the analyses read them back from there;
// MainState holds the active type, wings, scores and quadrant table.

#include "app/MainState.h"
#include "help/HelpWindow.h"
#include "interpretation/InterpretationWindow.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class EnneagramFigure;
class MessageService;
class PrintService;
class ProfileChart;
class ValueLabel;
class QuadrantPage;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

struct Services
{
    MessageService* messages = nullptr;
    PrintService* printer = nullptr;
    QString dataFolder;                  // ends with the platform's separator
    std::function<quint32()> randomSeed; // the questionnaire's order; from the clock unless a test fixes it
};

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
    void clearInterpretation();
    void setInterpretationTitle(const QString& title);
    void titre(const QString& line);
    void interprete2(const QString& line);
    InterpretationWindow* interpretationWindow() const { return m_interpretation; }
    HelpWindow* helpWindow() const { return m_help; }

    void calcul_synthese();
    void calcul_detail();
    void calcul_carre();
    void calcul_entente();
    void descriptif_theme();
    QString themeBuffer() const { return m_themeText; }

    QPushButton* defaultButton() const { return m_defaultButton; }

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
    void showHelp();
    void showAbout();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void describeControls();
    void buildTopStrip(QWidget* area);
    QWidget* buildSynthesisPage();
    QWidget* buildDetailsPage();
    QWidget* buildInteractionPage();
    QWidget* makePage(const QColor& colour);
    ValueLabel* addValue(QWidget* parent, const char* name, const QString& caption, const QRect& area,
                         const QFont& font);
    QLineEdit* addField(QWidget* parent, const char* name, const QRect& area, const QString& accessibleName);
    QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, const QRect& area);
    void setDefaultButton(QPushButton* button);
    // Enabled by a result, disabled by "Effacer tout".
    QList<QPushButton*> analysisButtons() const;
    void showInterpretation();
    void ensureInterpretation();
    bool refuseWithoutType(const QString& message);
    // Every analysis the same way: the refusal without a type, else the window titled and filled by build.
    void interpret(const QString& refusal, const QString& title, void (MainWindow::*build)());

    Services m_services;
    MainState m_state;
    QString m_themeText;
    QPointer<InterpretationWindow> m_interpretation;
    QPointer<HelpWindow> m_help;
    QPushButton* m_defaultButton = nullptr;

    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_firstName = nullptr;
    QLineEdit* m_lastName = nullptr;
    QLabel* m_te1 = nullptr;
    QLabel* m_aile1 = nullptr;
    QLabel* m_aile2 = nullptr;
    QPushButton* m_compute = nullptr;
    QPushButton* m_clearAll = nullptr;

    QPushButton* m_questionnaire = nullptr;
    QLabel* m_synthesisType = nullptr;
    QPushButton* m_synthesisButton = nullptr;
    QGroupBox* m_profileFrame = nullptr;
    ProfileChart* m_chart = nullptr;

    EnneagramFigure* m_detailsFigure = nullptr;
    QLabel* m_detailsType = nullptr;
    QLabel* m_wing = nullptr;
    QLabel* m_chargePoint = nullptr;
    QLabel* m_dischargePoint = nullptr;
    QLabel* m_passion = nullptr;
    QLabel* m_antidote = nullptr;
    QLabel* m_evolution1 = nullptr;
    QLabel* m_evolution2 = nullptr;
    QPushButton* m_detailsButton = nullptr;

    QuadrantPage* m_quadrantPage = nullptr;

    EnneagramFigure* m_interactionFigure = nullptr;
    QLineEdit* m_partnerFirstName = nullptr;
    QLineEdit* m_partnerLastName = nullptr;
    QLineEdit* m_te2 = nullptr;
    QPushButton* m_interactionCompute = nullptr;
    QLabel* m_interactionKeyword = nullptr;
    QPushButton* m_interactionButton = nullptr;

    QPlainTextEdit* m_rtb1 = nullptr;
};

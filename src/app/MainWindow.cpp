#include "app/MainWindow.h"

#include "app/MainMenus.h"
#include "app/MainPages.h"
#include "persons/InteractionPage.h"
#include "persons/OpenPersonDialog.h"
#include "persons/PersonDirectory.h"
#include "persons/PersonStrip.h"
#include "platform/MessageService.h"
#include "platform/PrintService.h"
#include "questionnaire/QuestionnaireRun.h"
#include "questionnaire/SynthesisPage.h"
#include "typology/DetailsPage.h"
#include "typology/QuadrantPage.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QRandomGenerator>

MainWindow::MainWindow(const Services& services, QWidget* parent) : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Psyche Rondo"));
    setFont(fonts::sansSerif(8.25));

    m_reportMenu =
        addMainMenus(menuBar(), {[this] { openPerson(); }, [this] { savePersons(); }, [this] { printTheme(); },
                                 [this] { printReport(); }, [this] { exportReport(); }, [this] { showAbout(); },
                                 [this] { showHelp(); }});
    m_pages = buildMainPages(this);
    connect(m_pages.strip, &PersonStrip::namesEdited, this,
            [this] { setDefaultButton(m_pages.strip->computeButton()); });
    connect(m_pages.strip, &PersonStrip::namesTyped, this, [this] {
        const PersonRecord shown = m_pages.strip->person();
        if (m_keptAnswers && !m_keptAnswers->isFor(shown.firstName, shown.lastName))
            m_keptAnswers.reset();
    });
    connect(m_pages.strip, &PersonStrip::computeRequested, this, &MainWindow::compute);
    connect(m_pages.strip, &PersonStrip::clearRequested, this, [this] {
        m_keptAnswers.reset();
        effacer();
        m_pages.strip->focusField(RecordField::FirstName);
    });

    connect(m_pages.synthesis, &SynthesisPage::questionnaireRequested, this, &MainWindow::answerQuestionnaire);
    connect(m_pages.synthesis, &SynthesisPage::interpretRequested, this, &MainWindow::interpretSynthesis);
    connect(m_pages.details, &DetailsPage::interpretRequested, this, &MainWindow::interpretDetails);
    connect(m_pages.quadrant, &QuadrantPage::interpretRequested, this, &MainWindow::interpretQuadrant);
    connect(m_pages.interaction, &InteractionPage::partnerNamesEdited, this,
            [this] { setDefaultButton(m_pages.synthesis->questionnaireButton()); });
    connect(m_pages.interaction, &InteractionPage::computeRequested, this, &MainWindow::computeInteraction);
    connect(m_pages.interaction, &InteractionPage::interpretRequested, this, &MainWindow::interpretInteraction);
    m_pages.strip->focusField(RecordField::FirstName);
    adjustSize();
}

MainWindow::~MainWindow()
{
    delete m_interpretation;
    delete m_help;
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the window when the focused control leaves them: a button that is not the default one, a list, a
    // text field (which leaves Enter to its window, as in a dialog), the tabs.
    if (controls::pressFocusedButton(this, event))
        return;
    if (controls::isEnterKey(event) && m_defaultButton && m_defaultButton->isEnabled()) {
        m_defaultButton->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::setDefaultButton(QPushButton* button)
{
    if (m_defaultButton)
        m_defaultButton->setDefault(false);
    m_defaultButton = button;
    m_defaultButton->setDefault(true);
}

void MainWindow::effacer()
{
    m_pages.strip->clear();
    m_pages.interaction->clear();
    m_pages.synthesis->clear();
    m_pages.details->clear();
    m_state.scores.fill(0);
    m_state.quadrantTable.clear();
    m_pages.quadrant->clear();
    m_state.resultShown = false;
    setMenuEnabled(m_reportMenu, false);
}

void MainWindow::answerQuestionnaire()
{
    const PersonRecord shown = m_pages.strip->person();
    const quint32 seed = m_services.randomSeed ? m_services.randomSeed() : QRandomGenerator::system()->generate();
    AnswerSheet sheet = startOrResume(*m_services.messages, this, m_keptAnswers, shown.firstName, shown.lastName, seed);
    effacer();
    m_pages.strip->setNames(shown.firstName, shown.lastName);

    const std::optional<TypingResult> result = runQuestionnaire(*m_services.messages, this, sheet);
    if (!result) {
        if (sheet.answeredCount() > 0)
            m_keptAnswers = std::move(sheet);
        return;
    }
    m_state.activeType = result->type;
    m_state.activeWing1 = result->wing1;
    m_state.activeWing2 = result->wing2;
    m_pages.strip->showTyping(result->type, result->wing1, result->wing2);
    m_state.scores = result->scores;
    showResult();
    // After 81 questions the result must not have to be hunted for: the type label takes the focus, so a screen
    // reader says the type and its wings at once.
    activateWindow(); // the last box has closed; without a window manager nothing else would hand the focus back
    m_pages.strip->announceType();
}

void MainWindow::compute()
{
    const ShownProfile shown = shownProfile();
    if (shown.typeText.trimmed().isEmpty())
        return;
    if (!shown.typedType) {
        m_services.messages->inform(this, QStringLiteral("Le type Ennéagramme doit être compris entre 1 et 9"));
        return;
    }
    m_state.activeType = *shown.typedType;
    m_state.activeWing1 = shown.typedWing1;
    m_state.activeWing2 = shown.typedWing2;
    showResult();
}

void MainWindow::showResult()
{
    const int type = m_state.activeType;
    m_pages.synthesis->showResult(type, m_state.scores, clarityLine(m_state.scores));
    m_pages.details->showResult(type, m_state.activeWing1, m_state.activeWing2);
    m_pages.interaction->showUserType(type);
    m_state.quadrantTable.fill(type);
    m_pages.quadrant->prime(m_state.quadrantTable);
    m_state.resultShown = true;
    setMenuEnabled(m_reportMenu, true);
}

ShownProfile MainWindow::shownProfile() const
{
    return m_pages.shown(m_state);
}

void MainWindow::savePersons()
{
    const ShownProfile shown = shownProfile();
    const auto confirm = [this](const QString& question, bool questionIcon) {
        return m_services.messages->show(this, {question, QStringLiteral("Attention"), MessageButtons::YesNo,
                                                questionIcon ? MessageIcon::Question : MessageIcon::None,
                                                MessageAnswer::Yes}) == MessageAnswer::Yes;
    };
    const PersonDirectory directory(m_services.dataFolder);
    const std::optional<SaveProblem> problem = directory.save(savedUser(shown), savedPartner(shown), confirm);
    if (!problem)
        return;
    m_services.messages->inform(this, problem->message);
    if (problem->fieldProblem && problem->partnerLine)
        m_pages.interaction->focusField(problem->field);
    else if (problem->fieldProblem)
        m_pages.strip->focusField(problem->field);
}

void MainWindow::openPerson()
{
    OpenPersonDialog dialog(m_services.dataFolder, *m_services.messages, this);
    dialog.exec();
    const PersonRecord person = dialog.chosen();
    if (dialog.choice() != OpenPersonDialog::Choice::None)
        m_keptAnswers.reset();
    switch (dialog.choice()) {
    case OpenPersonDialog::Choice::None:
        return;
    case OpenPersonDialog::Choice::User:
        effacer();
        m_pages.strip->showPerson(person);
        m_state.scores = scoresFromProfile(person.profile);
        return;
    case OpenPersonDialog::Choice::Partner:
        m_pages.interaction->showPartner(person);
        return;
    }
}

void MainWindow::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow;
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void MainWindow::showAbout()
{
    m_services.messages->show(this, {QStringLiteral("Psyche Rondo Version 1.1"), QStringLiteral("A Propos"),
                                     MessageButtons::Ok, MessageIcon::Information});
}

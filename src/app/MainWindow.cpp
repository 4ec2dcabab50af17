#include "app/MainWindow.h"

#include "app/MainMenus.h"
#include "interpretation/ReportDocument.h"
#include "interpretation/ReportText.h"
#include "persons/InteractionPage.h"
#include "persons/OpenPersonDialog.h"
#include "persons/PersonDirectory.h"
#include "persons/PersonStrip.h"
#include "persons/ThemeText.h"
#include "platform/FileAccess.h"
#include "platform/MessageService.h"
#include "platform/PagedDocument.h"
#include "platform/PrintService.h"
#include "platform/TextCatalog.h"
#include "questionnaire/QuestionnaireRun.h"
#include "questionnaire/SynthesisPage.h"
#include "typology/Analyses.h"
#include "typology/DetailsPage.h"
#include "typology/NumberReading.h"
#include "typology/QuadrantPage.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/TabPage.h"
#include "widgets/Twips.h"

#include <QDir>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTabWidget>

namespace {

const QString kNoTypeYet =
    QStringLiteral("Merci de répondre d'abord au questionnaire ou d'effectuer d'abord les calculs");
const QString kComputeFirst = QStringLiteral("Merci d'effectuer d'abord les calculs");

} // namespace

MainWindow::MainWindow(const Services& services, QWidget* parent) : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Psyche Rondo"));
    setFont(fonts::sansSerif(8.25));

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("clientArea"));
    area->setFixedSize(twips::toPixels(12135), twips::toPixels(8160));
    area->setAutoFillBackground(true);
    controls::setColour(area, QPalette::Window, QColor(0, 128, 0));
    setCentralWidget(area);

    m_reportMenu =
        addMainMenus(menuBar(), {[this] { openPerson(); }, [this] { savePersons(); }, [this] { printTheme(); },
                                 [this] { printReport(); }, [this] { exportReport(); }, [this] { showAbout(); },
                                 [this] { showHelp(); }});
    m_strip = new PersonStrip(area);
    connect(m_strip, &PersonStrip::namesEdited, this, [this] { setDefaultButton(m_strip->computeButton()); });
    connect(m_strip, &PersonStrip::namesTyped, this, [this] {
        const PersonRecord shown = m_strip->person();
        if (m_keptAnswers && !m_keptAnswers->isFor(shown.firstName, shown.lastName))
            m_keptAnswers.reset();
    });
    connect(m_strip, &PersonStrip::computeRequested, this, &MainWindow::compute);
    connect(m_strip, &PersonStrip::clearRequested, this, &MainWindow::clearAll);

    m_tabs = new QTabWidget(area);
    m_tabs->setObjectName(QStringLiteral("mainTabs"));
    m_tabs->setGeometry(twips::rect(0, 1200, 12135, 6975));
    m_tabs->setAccessibleName(QStringLiteral("Pages"));
    m_tabs->setAccessibleDescription(
        QStringLiteral("Synthèse, Détails, Carré fondamental et Interaction entre deux personnes."));
    m_synthesisPage = new SynthesisPage;
    addPage(m_synthesisPage, QStringLiteral("Synthèse"));
    connect(m_synthesisPage, &SynthesisPage::questionnaireRequested, this, &MainWindow::answerQuestionnaire);
    connect(m_synthesisPage, &SynthesisPage::interpretRequested, this, &MainWindow::interpretSynthesis);
    m_detailsPage = new DetailsPage;
    addPage(m_detailsPage, QStringLiteral("Détails"));
    connect(m_detailsPage, &DetailsPage::interpretRequested, this, &MainWindow::interpretDetails);
    m_quadrantPage = new QuadrantPage(m_state.quadrantTable);
    addPage(m_quadrantPage, QStringLiteral("Carré fondamental"));
    connect(m_quadrantPage, &QuadrantPage::interpretRequested, this, &MainWindow::interpretQuadrant);
    m_interactionPage = new InteractionPage;
    addPage(m_interactionPage, QStringLiteral("Interaction entre deux personnes"));
    connect(m_interactionPage, &InteractionPage::partnerNamesEdited, this,
            [this] { setDefaultButton(m_synthesisPage->questionnaireButton()); });
    connect(m_interactionPage, &InteractionPage::computeRequested, this, &MainWindow::computeInteraction);
    connect(m_interactionPage, &InteractionPage::interpretRequested, this, &MainWindow::interpretInteraction);

    m_tabs->setCurrentIndex(0);
    m_strip->focusField(RecordField::FirstName);
    adjustSize();
}

MainWindow::~MainWindow()
{
    delete m_interpretation;
    delete m_help;
}

void MainWindow::addPage(QWidget* page, const QString& title)
{
    m_tabs->addTab(page, title);
    // Each page is white around its coloured rectangle.
    page->setAutoFillBackground(true);
    controls::setColour(page, QPalette::Window, Qt::white);
    controls::placeOnTabPage(page);
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
    m_strip->clear();
    m_interactionPage->clear();
    m_synthesisPage->clear();
    m_detailsPage->clear();
    m_state.scores.fill(0);
    m_state.quadrantTable.clear();
    m_quadrantPage->clear();
    setMenuEnabled(m_reportMenu, false);
}

void MainWindow::clearAll()
{
    m_keptAnswers.reset();
    effacer();
    m_strip->focusField(RecordField::FirstName);
}

void MainWindow::answerQuestionnaire()
{
    const PersonRecord shown = m_strip->person();
    const quint32 seed = m_services.randomSeed ? m_services.randomSeed() : QRandomGenerator::system()->generate();
    AnswerSheet sheet = startOrResume(*m_services.messages, this, m_keptAnswers, shown.firstName, shown.lastName, seed);
    effacer();
    m_strip->setNames(shown.firstName, shown.lastName);

    const std::optional<TypingResult> result = runQuestionnaire(*m_services.messages, this, sheet);
    if (!result) {
        if (sheet.answeredCount() > 0)
            m_keptAnswers = std::move(sheet);
        return;
    }
    m_state.activeType = result->type;
    m_state.activeWing1 = result->wing1;
    m_state.activeWing2 = result->wing2;
    m_strip->showTyping(result->type, result->wing1, result->wing2);
    m_state.scores = result->scores;
    showResult();
    // After 81 questions the result must not have to be hunted for: the type label takes the focus, so a screen
    // reader says the type and its wings at once.
    activateWindow(); // the last box has closed; without a window manager nothing else would hand the focus back
    m_strip->announceType();
}

void MainWindow::compute()
{
    const PersonRecord shown = m_strip->person();
    if (shown.type.trimmed().isEmpty())
        return;
    const std::optional<qint16> type = readPersonType(shown.type.trimmed());
    if (!type) {
        m_services.messages->inform(this, QStringLiteral("Le type Ennéagramme doit être compris entre 1 et 9"));
        return;
    }
    m_state.activeType = *type;
    m_state.activeWing1 = readWing(shown.wing1, lowerNeighbour(*type));
    m_state.activeWing2 = readWing(shown.wing2, upperNeighbour(*type));
    showResult();
}

void MainWindow::showResult()
{
    const int type = m_state.activeType;
    m_synthesisPage->showResult(type, m_state.scores, clarityLine(m_state.scores));
    m_detailsPage->showResult(type, m_state.activeWing1, m_state.activeWing2);
    m_interactionPage->showUserType(type);
    m_state.quadrantTable.fill(type);
    m_quadrantPage->prime();
    setMenuEnabled(m_reportMenu, true);
}

InterpretationWindow& MainWindow::interpretation()
{
    if (!m_interpretation)
        m_interpretation = new InterpretationWindow(*m_services.messages, *m_services.printer);
    return *m_interpretation;
}

void MainWindow::showLines(const QStringList& lines)
{
    clearInterpretation();
    for (const QString& line : lines)
        titre(line);
}

bool MainWindow::refuseWithoutType(const QString& message)
{
    if (m_state.activeType != 0)
        return false;
    m_services.messages->inform(this, message);
    return true;
}

void MainWindow::calcul_synthese()
{
    showLines(analyses::synthesisLines(m_synthesisPage->typeText()));
}

void MainWindow::calcul_detail()
{
    showLines(analyses::detailLines(
        {m_synthesisPage->typeText(), m_detailsPage->values(), m_state.activeWing1, m_state.activeWing2}));
}

void MainWindow::calcul_carre()
{
    showLines(analyses::quadrantLines(m_quadrantPage->selectedWords()));
}

void MainWindow::calcul_entente()
{
    showLines(analyses::interactionLines(m_interactionPage->keyword()));
}

void MainWindow::interpret(const QString& refusal, const QString& title, void (MainWindow::*build)())
{
    if (refuseWithoutType(refusal))
        return;
    setInterpretationTitle(title);
    (this->*build)();
    m_interpretation->show();
    m_interpretation->raise();
}

void MainWindow::interpretSynthesis()
{
    interpret(kNoTypeYet, QStringLiteral("Synthèse"), &MainWindow::calcul_synthese);
}

void MainWindow::interpretDetails()
{
    interpret(kNoTypeYet, QStringLiteral("Détails"), &MainWindow::calcul_detail);
}

void MainWindow::interpretQuadrant()
{
    interpret(kNoTypeYet, QStringLiteral("Carré fondamental"), &MainWindow::calcul_carre);
}

void MainWindow::interpretInteraction()
{
    interpret(kComputeFirst, QStringLiteral("Interaction entre deux personnes"), &MainWindow::calcul_entente);
}

void MainWindow::computeInteraction()
{
    const PartnerType partner = readPartnerType(m_interactionPage->partner().type);
    const QString refusal = m_state.activeType == 0 ? kComputeFirst : partner.refusal();
    if (!refusal.isEmpty()) {
        m_services.messages->inform(this, refusal);
        m_interactionPage->focusField(RecordField::Type);
        return;
    }
    m_interactionPage->showInteraction(m_state.activeType, partner.value);
}

void MainWindow::savePersons()
{
    PersonRecord user = m_strip->person().trimmed();
    user.profile = profileDigits(m_state.scores);
    const auto confirm = [this](const QString& question, bool questionIcon) {
        return m_services.messages->show(this, {question, QStringLiteral("Attention"), MessageButtons::YesNo,
                                                questionIcon ? MessageIcon::Question : MessageIcon::None,
                                                MessageAnswer::Yes}) == MessageAnswer::Yes;
    };
    const PersonDirectory directory(m_services.dataFolder);
    const std::optional<SaveProblem> problem = directory.save(user, m_interactionPage->partner().trimmed(), confirm);
    if (!problem)
        return;
    m_services.messages->inform(this, problem->message);
    if (problem->fieldProblem && problem->partnerLine)
        m_interactionPage->focusField(problem->field);
    else if (problem->fieldProblem)
        m_strip->focusField(problem->field);
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
        m_strip->showPerson(person);
        m_state.scores = scoresFromProfile(person.profile);
        return;
    case OpenPersonDialog::Choice::Partner:
        m_interactionPage->showPartner(person);
        return;
    }
}

void MainWindow::descriptif_theme()
{
    const PersonRecord shown = m_strip->person();
    if (!m_rtb1) {
        // Made when first printed: a text box, even hidden, costs the start-up a font change and a layout.
        m_rtb1 = new QPlainTextEdit(centralWidget());
        m_rtb1->setObjectName(QStringLiteral("rtb1"));
        m_rtb1->setGeometry(twips::rect(0, 0, 1335, 975));
        m_rtb1->setFont(fonts::sansSerif(9.75));
        m_rtb1->hide();
    }
    m_themeText = themeText({shown.firstName, shown.lastName, m_detailsPage->values()});
    m_rtb1->setPlainText(withNewlines(m_themeText));
}

void MainWindow::printTheme()
{
    if (refuseWithoutType(kComputeFirst))
        return;
    descriptif_theme();
    if (m_services.printer->print(this, m_themeText, m_rtb1->font()) == PrintOutcome::Failed)
        m_services.messages->inform(this, QStringLiteral("L'impression a échoué."));
}

ReportInput MainWindow::reportInput() const
{
    const PersonRecord shown = m_strip->person();
    ReportInput input;
    input.firstName = shown.firstName.trimmed();
    input.lastName = shown.lastName.trimmed();
    input.date = QDate::currentDate();
    input.synthesisType = m_synthesisPage->typeText();
    input.activeWing1 = m_state.activeWing1;
    input.activeWing2 = m_state.activeWing2;
    input.scores = m_state.scores;
    input.details = m_detailsPage->values();
    input.quadrant = m_quadrantPage->selectedWords();
    input.interactionLines = analyses::interactionLines(m_interactionPage->keyword());
    return input;
}

void MainWindow::printReport()
{
    if (!m_reportMenu->menuAction()->isEnabled())
        return;
    const auto document = buildReport(reportInput(), m_detailsPage->figureMarks());
    if (m_services.printer->printDocument(this, *document) == PrintOutcome::Failed)
        m_services.messages->inform(this, QStringLiteral("L'impression a échoué."));
}

void MainWindow::exportReport()
{
    if (!m_reportMenu->menuAction()->isEnabled())
        return;
    const ReportInput input = reportInput();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        m_services.printer->askSavePath(this, QStringLiteral("Exporter le rapport"),
                                        QDir(documents).filePath(report::fileName(input.firstName, input.lastName)),
                                        QStringLiteral("Documents PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    const auto document = buildReport(input, m_detailsPage->figureMarks());
    const QByteArray pdf = paged::pdf(*document, QStringLiteral("Psyche Rondo"));
    const std::optional<QString> problem =
        pdf.isEmpty() ? std::optional<QString>(QStringLiteral("le document PDF n'a pas pu être composé"))
                      : fileaccess::writeWholeFile(path, pdf);
    if (problem) {
        m_services.messages->inform(this, QStringLiteral("Le rapport «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.")
                                              .arg(QDir::toNativeSeparators(path), *problem));
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

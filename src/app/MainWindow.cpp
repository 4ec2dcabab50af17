#include "app/MainWindow.h"

#include "help/HelpWindow.h"
#include "interpretation/InterpretationWindow.h"
#include "persons/OpenPersonDialog.h"
#include "persons/PersonDirectory.h"
#include "persons/ThemeText.h"
#include "platform/MessageService.h"
#include "platform/PrintService.h"
#include "questionnaire/ProfileChart.h"
#include "questionnaire/Questions.h"
#include "questionnaire/Scoring.h"
#include "typology/Analyses.h"
#include "typology/NumberReading.h"
#include "typology/QuadrantPage.h"
#include "typology/TypeTables.h"
#include "widgets/Controls.h"
#include "widgets/EnneagramFigure.h"
#include "widgets/Twips.h"
#include "widgets/ValueLabel.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabWidget>

namespace {

const QString kNoTypeYet =
    QStringLiteral("Merci de répondre d'abord au questionnaire ou d'effectuer d'abord les calculs");
const QString kComputeFirst = QStringLiteral("Merci d'effectuer d'abord les calculs");

// The wings held with the top strip's type, in words: "ailes : 8 et 1", "aile : 5", or nothing.
QString spokenWings(const QString& wing1Text, const QString& wing2Text)
{
    QStringList wings;
    for (const QString& text : {wing1Text.trimmed(), wing2Text.trimmed()}) {
        if (!text.isEmpty() && text != u'0')
            wings << text;
    }
    if (wings.isEmpty())
        return {};
    return (wings.size() == 1 ? QStringLiteral("aile : ") : QStringLiteral("ailes : ")) +
           wings.join(QStringLiteral(" et "));
}

} // namespace

MainWindow::MainWindow(const Services& services, QWidget* parent) : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Psyche Rondo"));
    setFont(twips::sansSerif(8.25));

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("clientArea"));
    area->setFixedSize(twips::toPixels(12135), twips::toPixels(8160));
    area->setAutoFillBackground(true);
    controls::setColour(area, QPalette::Window, QColor(0, 128, 0));
    setCentralWidget(area);

    buildMenus();
    buildTopStrip(area);

    m_tabs = new QTabWidget(area);
    m_tabs->setObjectName(QStringLiteral("mainTabs"));
    m_tabs->setGeometry(twips::rect(0, 1200, 12135, 6975));
    m_tabs->addTab(buildSynthesisPage(), QStringLiteral("Synthèse"));
    m_tabs->addTab(buildDetailsPage(), QStringLiteral("Détails"));
    m_quadrantPage = new QuadrantPage(m_state.quadrantTable);
    m_quadrantPage->setObjectName(QStringLiteral("quadrantPage"));
    m_tabs->addTab(m_quadrantPage, QStringLiteral("Carré fondamental"));
    connect(m_quadrantPage->interpretButton(), &QPushButton::clicked, this, &MainWindow::interpretQuadrant);
    m_tabs->addTab(buildInteractionPage(), QStringLiteral("Interaction entre deux personnes"));
    // Each page is white around its coloured rectangle.
    for (int i = 0; i < m_tabs->count(); ++i) {
        QWidget* page = m_tabs->widget(i);
        page->setAutoFillBackground(true);
        controls::setColour(page, QPalette::Window, Qt::white);
        twips::placeOnTabPage(page);
    }

    // The theme's print buffer, never shown.
    m_rtb1 = new QPlainTextEdit(area);
    m_rtb1->setObjectName(QStringLiteral("rtb1"));
    m_rtb1->setGeometry(twips::rect(0, 0, 1335, 975));
    m_rtb1->setFont(twips::sansSerif(9.75));
    m_rtb1->hide();

    setTabOrder(m_firstName, m_lastName);
    describeControls();
    m_tabs->setCurrentIndex(0);
    m_firstName->setFocus();
    adjustSize();
}

MainWindow::~MainWindow()
{
    delete m_interpretation;
    delete m_help;
}

void MainWindow::describeControls()
{
    struct Description
    {
        const char* object;
        const char* name; // empty: the caption already names the control
        const char* description;
    };
    static const Description descriptions[] = {
        {"firstNameField", "", "Prénom de la personne qui répond au questionnaire."},
        {"lastNameField", "", "Nom de la personne qui répond au questionnaire."},
        {"te1", "",
         "Votre type Ennéagramme et ses ailes, trouvés par le questionnaire ou repris d'une personne enregistrée."},
        {"computeButton", "Calculer votre profil",
         "Affiche le profil à partir du type et des ailes de la ligne « Vous »."},
        {"clearAllButton", "", "Efface les deux personnes et tous les résultats affichés."},
        {"mainTabs", "Pages", "Synthèse, Détails, Carré fondamental et Interaction entre deux personnes."},
        {"questionnaireButton", "", "Pose les 81 questions, une à une, puis affiche votre type."},
        {"synthesisButton", "", "Ouvre la synthèse de votre type dans la fenêtre d'interprétation."},
        {"detailsButton", "", "Ouvre la description détaillée de votre profil."},
        {"quadrantButton", "Interpréter le carré fondamental", "Explique le carré fondamental choisi."},
        {"qualityCombo", "", "Choisit une des cinq qualités de votre type ; l'allergie suit."},
        {"allergyCombo", "", "Choisit une des cinq allergies de votre type ; la qualité suit."},
        {"partnerFirstNameField", "", "Prénom du partenaire."},
        {"partnerLastNameField", "", "Nom du partenaire."},
        {"te2", "", "Type Ennéagramme du partenaire, de 1 à 9."},
        {"interactionComputeButton", "", "Calcule l'interaction entre votre type et celui du partenaire."},
        {"interactionButton", "", "Explique l'interaction affichée."},
    };
    for (const Description& d : descriptions) {
        QWidget* widget = findChild<QWidget*>(QLatin1String(d.object));
        if (!widget)
            continue;
        if (*d.name)
            widget->setAccessibleName(QString::fromUtf8(d.name));
        widget->setAccessibleDescription(QString::fromUtf8(d.description));
    }
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("m_fichier"));
    const auto add = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                            void (MainWindow::*slot)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        if (slot)
            connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(file, "m_ouvrir", QStringLiteral("Ouvrir..."), QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::openPerson);
    add(file, "m_enregistrer", QStringLiteral("Sauvegarder"), QKeySequence(Qt::CTRL | Qt::Key_S),
        &MainWindow::savePersons);
    file->addSeparator()->setObjectName(QStringLiteral("m_trait1"));
    add(file, "m_imprimer2", QStringLiteral("&Imprimer le thème..."), QKeySequence(Qt::CTRL | Qt::Key_P),
        &MainWindow::printTheme);
    file->addSeparator()->setObjectName(QStringLiteral("m_trait2"));
    add(file, "m_quitter", QStringLiteral("Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q), nullptr);
    connect(findChild<QAction*>(QStringLiteral("m_quitter")), &QAction::triggered, qApp, &QApplication::quit,
            Qt::QueuedConnection);

    // Switched off: these commands have never done anything.
    QMenu* interpretation = menuBar()->addMenu(QStringLiteral("&Interprétation"));
    interpretation->setObjectName(QStringLiteral("m_interprétation"));
    add(interpretation, "m_imprimer", QStringLiteral("Imprimer..."), QKeySequence(Qt::CTRL | Qt::Key_I), nullptr)
        ->setEnabled(false);
    add(interpretation, "m_exporter", QStringLiteral("Exporter..."), QKeySequence(Qt::CTRL | Qt::Key_E), nullptr)
        ->setEnabled(false);
    interpretation->setEnabled(false);
    interpretation->menuAction()->setEnabled(false);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("m_aide"));
    add(help, "m_apropos", QStringLiteral("A propos de Psyche Rondo..."), {}, &MainWindow::showAbout);
    add(help, "m_aide2", QStringLiteral("&Aide..."), QKeySequence(Qt::Key_F1), &MainWindow::showHelp);
}

ValueLabel* MainWindow::addValue(QWidget* parent, const char* name, const QString& caption, const QRect& area,
                                 const QFont& font)
{
    auto* label = new ValueLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(area);
    label->setFont(font);
    label->setIndent(4);
    return label;
}

QLineEdit* MainWindow::addField(QWidget* parent, const char* name, const QRect& area, const QString& accessibleName)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(area);
    field->setAccessibleName(accessibleName);
    return field;
}

QPushButton* MainWindow::addButton(QWidget* parent, const char* name, const QString& caption, const QRect& area)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(area);
    return button;
}

void MainWindow::buildTopStrip(QWidget* area)
{
    auto* rule = new QFrame(area);
    rule->setGeometry(twips::rect(0, 0, 12225, 30));
    rule->setFrameShape(QFrame::HLine);

    const QFont font = this->font();
    const auto white = [&](const QString& text, const QRect& r, Qt::Alignment alignment) {
        QLabel* label = controls::label(area, text, r, font);
        controls::setColour(label, QPalette::WindowText, Qt::white);
        label->setAlignment(alignment);
        return label;
    };
    white(QStringLiteral("Prénom"), twips::rect(2400, 120, 1335, 195), Qt::AlignCenter);
    white(QStringLiteral("Nom"), twips::rect(4680, 120, 1335, 195), Qt::AlignCenter);
    white(QStringLiteral("--Type Ennéagramme --"), twips::rect(6600, 120, 1815, 255), Qt::AlignLeft | Qt::AlignVCenter);
    white(QStringLiteral("Vous :"), twips::rect(1320, 510, 615, 255), Qt::AlignCenter);

    m_firstName = addField(area, "firstNameField", twips::rect(2040, 480, 2115, 285), QStringLiteral("Votre prénom"));
    m_lastName = addField(area, "lastNameField", twips::rect(4320, 480, 2115, 285), QStringLiteral("Votre nom"));
    connect(m_firstName, &QLineEdit::textChanged, this, [this] { setDefaultButton(m_compute); });
    connect(m_lastName, &QLineEdit::textChanged, this, [this] { setDefaultButton(m_compute); });

    ValueLabel* te1 = addValue(area, "te1", QStringLiteral("Type Ennéagramme"), twips::rect(7200, 480, 375, 285), font);
    m_te1 = te1;
    m_te1->setFrameShape(QFrame::Box);
    m_te1->setAlignment(Qt::AlignCenter);
    m_te1->setAutoFillBackground(true);
    m_te1->setBackgroundRole(QPalette::Base);
    // Focus comes here only to announce a result; clicking may bring it too, Tab never does.
    m_te1->setFocusPolicy(Qt::ClickFocus);
    m_aile1 = controls::label(area, QString(), twips::rect(7680, 480, 255, 255), font);
    m_aile1->setObjectName(QStringLiteral("aile1"));
    m_aile2 = controls::label(area, QString(), twips::rect(8040, 480, 255, 255), font);
    m_aile2->setObjectName(QStringLiteral("aile2"));
    m_aile1->hide();
    m_aile2->hide();
    // The wings are never shown in the strip but belong to the type a person was given or reopened with.
    te1->setSpokenDetail([this] { return spokenWings(m_aile1->text(), m_aile2->text()); });

    m_compute = addButton(area, "computeButton", QStringLiteral("Calculer"), twips::rect(8520, 480, 1095, 305));
    m_clearAll = addButton(area, "clearAllButton", QStringLiteral("Effacer tout"), twips::rect(9720, 480, 1095, 305));
    connect(m_compute, &QPushButton::clicked, this, &MainWindow::compute);
    connect(m_clearAll, &QPushButton::clicked, this, &MainWindow::clearAll);
}

QWidget* MainWindow::makePage(const QColor& colour)
{
    auto* page = new QWidget;
    auto* background = new QWidget(page);
    background->setGeometry(twips::rect(120, 480, 11895, 6375));
    background->setAutoFillBackground(true);
    controls::setColour(background, QPalette::Window, colour);
    return page;
}

QWidget* MainWindow::buildSynthesisPage()
{
    QWidget* page = makePage(QColor(128, 128, 255));
    page->setObjectName(QStringLiteral("synthesisPage"));
    const QFont big = twips::sansSerif(13.5);
    controls::label(page, QStringLiteral("Type Ennéagramme :"), twips::rect(4440, 2700, 2895, 375), big);
    m_synthesisType = addValue(page, "synthesisTypeValue", QStringLiteral("Type Ennéagramme"),
                               twips::rect(7320, 2700, 975, 375), big);

    m_questionnaire = addButton(page, "questionnaireButton", QStringLiteral("Répondre au questionnaire"),
                                twips::rect(4200, 1740, 4215, 615));
    connect(m_questionnaire, &QPushButton::clicked, this, &MainWindow::answerQuestionnaire);
    m_synthesisButton =
        addButton(page, "synthesisButton", QStringLiteral("Interpréter"), twips::rect(10560, 5520, 1095, 975));
    m_synthesisButton->setAccessibleName(QStringLiteral("Interpréter la synthèse"));
    m_synthesisButton->setEnabled(false);
    connect(m_synthesisButton, &QPushButton::clicked, this, &MainWindow::interpretSynthesis);

    m_profileFrame = new QGroupBox(QStringLiteral("Profil "), page);
    m_profileFrame->setObjectName(QStringLiteral("profileFrame"));
    m_profileFrame->setGeometry(twips::rect(4200, 3420, 4215, 2895));
    m_profileFrame->setAutoFillBackground(true);
    controls::setColour(m_profileFrame, QPalette::Window, QColor(128, 128, 255));
    m_chart = new ProfileChart(m_profileFrame);
    m_chart->setObjectName(QStringLiteral("profil"));
    m_chart->setGeometry(0, 0, m_profileFrame->width(), m_profileFrame->height());
    m_profileFrame->hide();
    return page;
}

QWidget* MainWindow::buildDetailsPage()
{
    QWidget* page = makePage(QColor(160, 128, 255));
    page->setObjectName(QStringLiteral("detailsPage"));
    m_detailsFigure = new EnneagramFigure(page);
    m_detailsFigure->setObjectName(QStringLiteral("detailsFigureNumbers"));
    m_detailsFigure->setGeometry(EnneagramFigure::area());

    const QFont big = twips::sansSerif(13.5);
    const auto row = [&](const QString& caption, const QRect& captionArea, const char* name, const QRect& valueArea) {
        controls::label(page, caption, captionArea, big);
        return addValue(page, name, caption.chopped(2), valueArea, big);
    };
    m_detailsType = row(QStringLiteral("Type Ennéagramme :"), twips::rect(6360, 1740, 2895, 375), "detailsTypeValue",
                        twips::rect(9240, 1740, 615, 375));
    m_wing = row(QStringLiteral("Aile :"), twips::rect(10080, 1740, 735, 375), "wingValue",
                 twips::rect(10920, 1740, 855, 375));
    m_chargePoint = row(QStringLiteral("Point de charge :"), twips::rect(6360, 2340, 2895, 375), "chargePointValue",
                        twips::rect(9240, 2340, 975, 375));
    m_dischargePoint = row(QStringLiteral("Point de décharge :"), twips::rect(6360, 2940, 2655, 375),
                           "dischargePointValue", twips::rect(9240, 2940, 975, 375));
    m_passion = row(QStringLiteral("Passion :"), twips::rect(6360, 3780, 1455, 375), "passionValue",
                    twips::rect(7800, 3780, 2415, 375));
    m_antidote = row(QStringLiteral("Antidote :"), twips::rect(6360, 4380, 1455, 375), "antidoteValue",
                     twips::rect(7800, 4380, 2415, 375));
    m_evolution1 = row(QStringLiteral("Voie d'évolution :"), twips::rect(6360, 5220, 2295, 375), "evolutionValue1",
                       twips::rect(8760, 5220, 360, 375));
    controls::label(page, QStringLiteral("et"), twips::rect(9120, 5220, 360, 375), big);
    m_evolution2 = addValue(page, "evolutionValue2", QStringLiteral("Seconde voie d'évolution"),
                            twips::rect(9480, 5220, 360, 375), big);

    m_detailsButton =
        addButton(page, "detailsButton", QStringLiteral("Interpréter"), twips::rect(10560, 5520, 1095, 975));
    m_detailsButton->setAccessibleName(QStringLiteral("Interpréter les détails"));
    m_detailsButton->setEnabled(false);
    connect(m_detailsButton, &QPushButton::clicked, this, &MainWindow::interpretDetails);
    return page;
}

QWidget* MainWindow::buildInteractionPage()
{
    QWidget* page = makePage(QColor(219, 128, 255));
    page->setObjectName(QStringLiteral("interactionPage"));
    m_interactionFigure = new EnneagramFigure(page);
    m_interactionFigure->setObjectName(QStringLiteral("interactionFigureNumbers"));
    m_interactionFigure->setGeometry(EnneagramFigure::area());

    const QFont font = this->font();
    controls::label(page, QStringLiteral("Votre partenaire :"), twips::rect(5760, 765, 1455, 255), font);
    m_partnerFirstName = addField(page, "partnerFirstNameField", twips::rect(7200, 720, 2115, 285),
                                  QStringLiteral("Prénom du partenaire"));
    m_partnerLastName =
        addField(page, "partnerLastNameField", twips::rect(9480, 720, 2115, 285), QStringLiteral("Nom du partenaire"));
    connect(m_partnerFirstName, &QLineEdit::textChanged, this, [this] { setDefaultButton(m_questionnaire); });
    connect(m_partnerLastName, &QLineEdit::textChanged, this, [this] { setDefaultButton(m_questionnaire); });
    controls::label(page, QStringLiteral("Type Ennéagramme :"), twips::rect(7680, 1260, 1695, 255), font);
    m_te2 = addField(page, "te2", twips::rect(9480, 1200, 435, 285), QStringLiteral("Type Ennéagramme du partenaire"));

    m_interactionCompute =
        addButton(page, "interactionComputeButton", QStringLiteral("Calculer"), twips::rect(8280, 1680, 1095, 305));
    m_interactionCompute->setAccessibleName(QStringLiteral("Calculer l'interaction"));
    m_interactionCompute->setEnabled(false);
    connect(m_interactionCompute, &QPushButton::clicked, this, &MainWindow::computeInteraction);

    const QFont big = twips::sansSerif(13.5);
    controls::label(page, QStringLiteral("Résultante :"), twips::rect(6480, 3240, 1575, 375), big);
    m_interactionKeyword = addValue(page, "interactionKeywordLabel", QStringLiteral("Résultante"),
                                    twips::rect(8280, 3240, 3615, 375), big);

    m_interactionButton =
        addButton(page, "interactionButton", QStringLiteral("Interpréter"), twips::rect(10560, 5520, 1095, 975));
    m_interactionButton->setAccessibleName(QStringLiteral("Interpréter l'interaction"));
    m_interactionButton->setEnabled(false);
    connect(m_interactionButton, &QPushButton::clicked, this, &MainWindow::interpretInteraction);
    return page;
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

QList<QPushButton*> MainWindow::analysisButtons() const
{
    return {m_synthesisButton, m_detailsButton, m_interactionButton, m_quadrantPage->interpretButton(),
            m_interactionCompute};
}

void MainWindow::effacer()
{
    for (QLineEdit* field : {m_firstName, m_lastName, m_partnerFirstName, m_partnerLastName, m_te2})
        field->clear();
    for (QLabel* label : {m_te1, m_aile1, m_aile2, m_synthesisType, m_detailsType, m_wing, m_chargePoint,
                          m_dischargePoint, m_passion, m_antidote, m_evolution1, m_evolution2})
        label->setText(QString()); // unlike clear(), tells screen readers that the value is gone
    m_detailsFigure->resetColours();
    m_interactionFigure->resetColours();
    for (QPushButton* button : analysisButtons())
        button->setEnabled(false);
    m_state.scores.fill(0);
    m_state.quadrantTable.clear();
    m_profileFrame->hide();
    m_quadrantPage->clear();
}

void MainWindow::clearAll()
{
    effacer();
    m_firstName->setFocus();
}

void MainWindow::answerQuestionnaire()
{
    const QStringList& questions = questionTexts();
    const QString firstName = m_firstName->text();
    const QString lastName = m_lastName->text();
    effacer();
    m_firstName->setText(firstName);
    m_lastName->setText(lastName);

    std::array<Answer, kQuestionCount + 1> answers{};
    QRandomGenerator random(m_services.randomSeed ? m_services.randomSeed() : QRandomGenerator::system()->generate());
    for (const int i : drawQuestionOrder(random)) {
        const MessageAnswer answer =
            m_services.messages->show(this, {questions.value(i), QStringLiteral("Questionnaire"),
                                             MessageButtons::YesNoCancel, MessageIcon::Question, MessageAnswer::Yes});
        if (answer == MessageAnswer::Yes)
            answers[i] = Answer::Yes;
        else if (answer == MessageAnswer::No)
            answers[i] = Answer::No;
        else
            return;
    }

    const TypingResult result = typeFromScores(countYes(answers));
    m_state.activeType = result.type;
    m_state.activeWing1 = result.wing1;
    m_state.activeWing2 = result.wing2;
    m_aile1->setText(u' ' + QString::number(result.wing1));
    m_aile2->setText(u' ' + QString::number(result.wing2));
    m_te1->setText(u' ' + QString::number(result.type));
    m_state.scores = result.scores;
    showResult();
    // After 81 questions the result must not have to be hunted for: the type label takes the focus, so a screen
    // reader says the type and its wings at once.
    activateWindow(); // the last box has closed; without a window manager nothing else would hand the focus back
    m_te1->setFocus(Qt::OtherFocusReason);
}

void MainWindow::compute()
{
    const QString typeText = m_te1->text().trimmed();
    if (typeText.isEmpty())
        return;
    const std::optional<qint16> type = readPersonType(typeText);
    if (!type) {
        m_services.messages->inform(this, QStringLiteral("Le type Ennéagramme doit être compris entre 1 et 9"));
        return;
    }
    // A wing that is missing, or is not a neighbour of the type (a damaged file), counts as no wing.
    const auto wing = [](const QString& text, int neighbour) -> qint16 {
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty())
            return 0;
        const qint16 value = typeNumberOf(trimmed);
        return value == neighbour ? value : 0;
    };
    m_state.activeType = *type;
    m_state.activeWing1 = wing(m_aile1->text(), lowerNeighbour(*type));
    m_state.activeWing2 = wing(m_aile2->text(), upperNeighbour(*type));
    showResult();
}

void MainWindow::showResult()
{
    const int type = m_state.activeType;
    m_synthesisType->setText(QString::number(type));
    m_detailsType->setText(QString::number(type));
    m_detailsFigure->setNumberColour(type, EnneagramFigure::kHighlight);
    m_interactionFigure->setNumberColour(type, EnneagramFigure::kHighlight);

    m_chart->setScores(m_state.scores);
    m_profileFrame->show();

    QString wings;
    if (m_state.activeWing1 != 0)
        wings = QString::number(m_state.activeWing1);
    if (m_state.activeWing2 != 0) {
        if (!wings.isEmpty())
            wings += QStringLiteral(" / ");
        wings += QString::number(m_state.activeWing2);
    }
    m_wing->setText(wings);
    for (const int wing : {m_state.activeWing1, m_state.activeWing2}) {
        if (wing != 0)
            m_detailsFigure->setNumberColour(wing, EnneagramFigure::kWing);
    }

    const typology::TypeProfile profile = typology::profile(type);
    m_chargePoint->setText(QString::number(profile.charge));
    m_dischargePoint->setText(QString::number(profile.discharge));
    m_passion->setText(profile.passion);
    m_antidote->setText(profile.antidote);
    m_evolution1->setText(QString::number(profile.evolution1));
    m_evolution2->setText(QString::number(profile.evolution2));
    m_detailsFigure->setLineColour(type, profile.charge, EnneagramFigure::kHighlight);
    m_detailsFigure->setLineColour(type, profile.discharge, EnneagramFigure::kHighlight);

    m_state.quadrantTable.fill(type);
    m_quadrantPage->prime();

    for (QPushButton* button : analysisButtons())
        button->setEnabled(true);
}

void MainWindow::ensureInterpretation()
{
    if (!m_interpretation)
        m_interpretation = new InterpretationWindow(*m_services.messages, *m_services.printer);
}

void MainWindow::clearInterpretation()
{
    ensureInterpretation();
    m_interpretation->clearText();
}

void MainWindow::setInterpretationTitle(const QString& title)
{
    ensureInterpretation();
    m_interpretation->setTitle(title);
}

void MainWindow::titre(const QString& line)
{
    ensureInterpretation();
    m_interpretation->appendLine(line);
}

void MainWindow::interprete2(const QString& line)
{
    titre(line);
}

void MainWindow::showInterpretation()
{
    ensureInterpretation();
    m_interpretation->show();
    m_interpretation->raise();
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
    clearInterpretation();
    for (const QString& line : analyses::synthesisLines(m_synthesisType->text()))
        titre(line);
}

void MainWindow::calcul_detail()
{
    clearInterpretation();
    analyses::DetailsCaptions captions;
    captions.synthesisType = m_synthesisType->text();
    captions.detailsType = m_detailsType->text();
    captions.wing = m_wing->text();
    captions.chargePoint = m_chargePoint->text();
    captions.dischargePoint = m_dischargePoint->text();
    captions.passion = m_passion->text();
    captions.antidote = m_antidote->text();
    captions.evolution1 = m_evolution1->text();
    captions.evolution2 = m_evolution2->text();
    captions.activeWing1 = m_state.activeWing1;
    captions.activeWing2 = m_state.activeWing2;
    for (const QString& line : analyses::detailLines(captions))
        titre(line);
}

void MainWindow::calcul_carre()
{
    clearInterpretation();
    const QuadrantTable& table = m_state.quadrantTable;
    const int row = m_quadrantPage->selectedRow();
    const analyses::QuadrantWords words{
        table.cell(row, Corner::Quality, Layer::Word), table.cell(row, Corner::Pitfall, Layer::Word),
        table.cell(row, Corner::Challenge, Layer::Word), table.cell(row, Corner::Allergy, Layer::Word)};
    for (const QString& line : analyses::quadrantLines(words))
        titre(line);
}

void MainWindow::calcul_entente()
{
    clearInterpretation();
    for (const QString& line : analyses::interactionLines(m_interactionKeyword->text()))
        titre(line);
}

void MainWindow::interpret(const QString& refusal, const QString& title, void (MainWindow::*build)())
{
    if (refuseWithoutType(refusal))
        return;
    setInterpretationTitle(title);
    (this->*build)();
    showInterpretation();
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
    const auto refuse = [this](const QString& message) {
        m_services.messages->inform(this, message);
        m_tabs->setCurrentIndex(3);
        m_te2->setFocus();
    };
    if (m_state.activeType == 0) {
        refuse(kComputeFirst);
        return;
    }
    const PartnerType partner = readPartnerType(m_te2->text());
    if (partner.error == PartnerTypeError::Empty) {
        refuse(QStringLiteral("Merci de préciser le type Ennéagramme du partenaire"));
        return;
    }
    if (partner.error != PartnerTypeError::None) {
        refuse(QStringLiteral("Le type Ennéagramme du partenaire doit être compris entre 1 et 9"));
        return;
    }
    m_interactionFigure->resetColours();
    m_interactionFigure->setNumberColour(m_state.activeType, EnneagramFigure::kHighlight);
    m_interactionFigure->setNumberColour(partner.value, EnneagramFigure::kHighlight);
    m_interactionKeyword->setText(typology::pairKeyword(m_state.activeType, partner.value));
    m_interactionFigure->setLineColour(m_state.activeType, partner.value, EnneagramFigure::kHighlight);
}

void MainWindow::savePersons()
{
    PersonRecord user;
    user.lastName = m_lastName->text().trimmed();
    user.firstName = m_firstName->text().trimmed();
    user.type = m_te1->text().trimmed();
    user.wing1 = m_aile1->text().trimmed();
    user.wing2 = m_aile2->text().trimmed();
    user.profile = profileDigits(m_state.scores);

    PersonRecord partner;
    partner.lastName = m_partnerLastName->text().trimmed();
    partner.firstName = m_partnerFirstName->text().trimmed();
    partner.type = m_te2->text().trimmed();

    const PersonDirectory directory(m_services.dataFolder);
    const auto confirm = [this](const QString& question, bool questionIcon) {
        return m_services.messages->show(this, {question, QStringLiteral("Attention"), MessageButtons::YesNo,
                                                questionIcon ? MessageIcon::Question : MessageIcon::None,
                                                MessageAnswer::Yes}) == MessageAnswer::Yes;
    };
    const std::optional<SaveProblem> problem = directory.save(user, partner, confirm);
    if (!problem)
        return;
    m_services.messages->inform(this, problem->message);
    if (!problem->fieldProblem)
        return;
    QWidget* field = nullptr;
    if (problem->field == RecordField::LastName)
        field = problem->partnerLine ? m_partnerLastName : m_lastName;
    else if (problem->field == RecordField::FirstName)
        field = problem->partnerLine ? m_partnerFirstName : m_firstName;
    else if (problem->partnerLine && problem->field == RecordField::Type)
        field = m_te2;
    if (field) {
        if (problem->partnerLine)
            m_tabs->setCurrentIndex(3);
        field->setFocus();
    }
}

void MainWindow::openPerson()
{
    OpenPersonDialog dialog(m_services.dataFolder, *m_services.messages, this);
    dialog.exec();
    const PersonRecord person = dialog.chosen();
    switch (dialog.choice()) {
    case OpenPersonDialog::Choice::None:
        return;
    case OpenPersonDialog::Choice::User:
        effacer();
        m_firstName->setText(person.firstName);
        m_lastName->setText(person.lastName);
        m_te1->setText(person.type);
        m_aile1->setText(person.wing1);
        m_aile2->setText(person.wing2);
        m_state.scores = scoresFromProfile(person.profile);
        return;
    case OpenPersonDialog::Choice::Partner:
        m_partnerFirstName->setText(person.firstName);
        m_partnerLastName->setText(person.lastName);
        m_te2->setText(person.type);
        return;
    }
}

void MainWindow::descriptif_theme()
{
    ThemeInput input;
    input.firstName = m_firstName->text();
    input.lastName = m_lastName->text();
    input.type = m_detailsType->text();
    input.wing = m_wing->text();
    input.chargePoint = m_chargePoint->text();
    input.dischargePoint = m_dischargePoint->text();
    input.passion = m_passion->text();
    input.antidote = m_antidote->text();
    input.evolution1 = m_evolution1->text();
    input.evolution2 = m_evolution2->text();
    m_themeText = themeText(input);
    m_rtb1->setPlainText(QString(m_themeText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void MainWindow::printTheme()
{
    if (refuseWithoutType(kComputeFirst))
        return;
    descriptif_theme();
    if (m_services.printer->print(this, m_themeText, m_rtb1->font()) == PrintOutcome::Failed)
        m_services.messages->inform(this, QStringLiteral("L'impression a échoué."));
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

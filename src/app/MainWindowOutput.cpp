// MainWindow, continued: what it writes from the shown profile. The analyses fill the interpretation window, the
// theme and the complete report go to the printer, the report also to a PDF file.
#include "app/MainWindow.h"

#include "interpretation/ReportDocument.h"
#include "interpretation/ReportExport.h"
#include "persons/InteractionPage.h"
#include "persons/ThemeText.h"
#include "platform/MessageService.h"
#include "platform/PrintService.h"
#include "platform/TextCatalog.h"
#include "typology/Analyses.h"
#include "typology/DetailsPage.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QPlainTextEdit>

namespace {

const QString kNoTypeYet =
    QStringLiteral("Merci de répondre d'abord au questionnaire ou d'effectuer d'abord les calculs");
const QString kComputeFirst = QStringLiteral("Merci d'effectuer d'abord les calculs");

} // namespace

InterpretationWindow& MainWindow::interpretation()
{
    if (!m_interpretation)
        m_interpretation = new InterpretationWindow(*m_services.messages, *m_services.printer);
    return *m_interpretation;
}

void MainWindow::titre(const QString& line)
{
    interpretation().appendLine(line);
}

void MainWindow::showLines(const QStringList& lines)
{
    interpretation().clearText();
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

void MainWindow::calcul_synthese(const ShownProfile& shown)
{
    showLines(analyses::synthesisLines(shown));
}

void MainWindow::calcul_detail(const ShownProfile& shown)
{
    showLines(analyses::detailLines(shown));
}

void MainWindow::calcul_carre(const ShownProfile& shown)
{
    showLines(analyses::quadrantLines(shown.quadrant));
}

void MainWindow::calcul_entente(const ShownProfile& shown)
{
    showLines(analyses::interactionLines(shown.keyword));
}

void MainWindow::interpret(const QString& refusal, const QString& title, void (MainWindow::*build)(const ShownProfile&))
{
    if (refuseWithoutType(refusal))
        return;
    interpretation().setTitle(title);
    (this->*build)(shownProfile());
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
    const PartnerType partner = shownProfile().partnerType;
    const QString refusal = m_state.activeType == 0 ? kComputeFirst : partner.refusal();
    if (!refusal.isEmpty()) {
        m_services.messages->inform(this, refusal);
        m_pages.interaction->focusField(RecordField::Type);
        return;
    }
    m_pages.interaction->showInteraction(m_state.activeType, partner.value);
}

void MainWindow::descriptif_theme(const ShownProfile& shown)
{
    m_themeText = themeText(shown);
    if (!m_pages.rtb1) {
        // Made when first printed: a text box, even hidden, costs the start-up a font change and a layout.
        m_pages.rtb1 = new QPlainTextEdit(centralWidget());
        m_pages.rtb1->setObjectName(QStringLiteral("rtb1"));
        m_pages.rtb1->setGeometry(twips::rect(0, 0, 1335, 975));
        m_pages.rtb1->setFont(fonts::sansSerif(9.75));
        m_pages.rtb1->hide();
    }
    m_pages.rtb1->setPlainText(withNewlines(m_themeText));
}

void MainWindow::printTheme()
{
    if (refuseWithoutType(kComputeFirst))
        return;
    descriptif_theme(shownProfile());
    if (m_services.printer->print(this, m_themeText, m_pages.rtb1->font()) == PrintOutcome::Failed)
        m_services.messages->inform(this, QStringLiteral("L'impression a échoué."));
}

void MainWindow::printReport()
{
    if (!m_state.resultShown)
        return;
    const auto document = buildReport(shownProfile(), m_pages.details->figureMarks(), QDate::currentDate());
    if (m_services.printer->printDocument(this, *document) == PrintOutcome::Failed)
        m_services.messages->inform(this, QStringLiteral("L'impression a échoué."));
}

void MainWindow::exportReport()
{
    if (!m_state.resultShown)
        return;
    const ShownProfile shown = shownProfile();
    const QString path =
        m_services.printer->askSavePath(this, QStringLiteral("Exporter le rapport"), report::suggestedPath(shown),
                                        QStringLiteral("Documents PDF (*.pdf)"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    if (const auto problem = report::exportPdf(shown, m_pages.details->figureMarks(), QDate::currentDate(), path))
        m_services.messages->inform(this, *problem);
}

#include "app/MainPages.h"

#include "app/MainState.h"
#include "persons/InteractionPage.h"
#include "persons/PersonStrip.h"
#include "questionnaire/Scoring.h"
#include "questionnaire/SynthesisPage.h"
#include "typology/DetailsPage.h"
#include "typology/QuadrantPage.h"
#include "widgets/Controls.h"
#include "widgets/TabPage.h"
#include "widgets/Twips.h"

#include <QMainWindow>
#include <QTabWidget>

namespace {

template <typename Page> Page* addPage(QTabWidget* tabs, Page* page, const QString& title)
{
    tabs->addTab(page, title);
    // Each page is white around its coloured rectangle.
    page->setAutoFillBackground(true);
    controls::setColour(page, QPalette::Window, Qt::white);
    controls::placeOnTabPage(page);
    return page;
}

} // namespace

MainPages buildMainPages(QMainWindow* window)
{
    auto* area = new QWidget(window);
    area->setObjectName(QStringLiteral("clientArea"));
    area->setFixedSize(twips::toPixels(12135), twips::toPixels(8160));
    area->setAutoFillBackground(true);
    controls::setColour(area, QPalette::Window, QColor(0, 128, 0));
    window->setCentralWidget(area);

    MainPages pages;
    pages.strip = new PersonStrip(area);
    pages.tabs = new QTabWidget(area);
    pages.tabs->setObjectName(QStringLiteral("mainTabs"));
    pages.tabs->setGeometry(twips::rect(0, 1200, 12135, 6975));
    pages.tabs->setAccessibleName(QStringLiteral("Pages"));
    pages.tabs->setAccessibleDescription(
        QStringLiteral("Synthèse, Détails, Carré fondamental et Interaction entre deux personnes."));
    pages.synthesis = addPage(pages.tabs, new SynthesisPage, QStringLiteral("Synthèse"));
    pages.details = addPage(pages.tabs, new DetailsPage, QStringLiteral("Détails"));
    pages.quadrant = addPage(pages.tabs, new QuadrantPage, QStringLiteral("Carré fondamental"));
    pages.interaction = addPage(pages.tabs, new InteractionPage, QStringLiteral("Interaction entre deux personnes"));

    pages.tabs->setCurrentIndex(0);
    return pages;
}

ShownProfile MainPages::shown(const MainState& state) const
{
    const PersonRecord user = strip->person();
    const PersonRecord partner = interaction->partner();
    ShownProfile shown;
    shown.firstName = user.firstName;
    shown.lastName = user.lastName;
    shown.typeText = user.type;
    shown.wing1Text = user.wing1;
    shown.wing2Text = user.wing2;
    shown.synthesisType = synthesis->typeText();
    shown.activeWing1 = state.activeWing1;
    shown.activeWing2 = state.activeWing2;
    shown.scores = state.scores;
    shown.details = details->values();
    shown.quadrant = state.quadrantTable.words(quadrant->selectedRow());
    shown.partnerFirstName = partner.firstName;
    shown.partnerLastName = partner.lastName;
    shown.partnerTypeText = partner.type;
    shown.keyword = interaction->keyword();
    readShownTypes(shown);
    if (shown.typedType) {
        shown.typedWing1 = readWing(shown.wing1Text, lowerNeighbour(*shown.typedType));
        shown.typedWing2 = readWing(shown.wing2Text, upperNeighbour(*shown.typedType));
    }
    return shown;
}

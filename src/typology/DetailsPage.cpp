#include "typology/DetailsPage.h"

#include "typology/TypeTables.h"
#include "widgets/Captions.h"
#include "widgets/Controls.h"
#include "widgets/EnneagramFigure.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"
#include "widgets/ValueLabel.h"

#include <QPushButton>

DetailsPage::DetailsPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("detailsPage"));
    controls::pageBackground(this, QColor(160, 128, 255));
    m_figure = new EnneagramFigure(this);
    m_figure->setObjectName(QStringLiteral("detailsFigureNumbers"));
    m_figure->setGeometry(EnneagramFigure::area());

    const QFont big = fonts::sansSerif(13.5);
    // A caption ends with " :"; its value is read as "caption : value".
    const auto row = [&](const QString& caption, const QRect& captionArea, const char* name, const QRect& valueArea) {
        controls::label(this, caption, captionArea, big);
        return controls::value(this, name, caption.chopped(2), valueArea, big);
    };
    m_type = row(captions::type(), twips::rect(6360, 1740, 2895, 375), "detailsTypeValue",
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
    controls::label(this, QStringLiteral("et"), twips::rect(9120, 5220, 360, 375), big);
    m_evolution2 = controls::value(this, "evolutionValue2", QStringLiteral("Seconde voie d'évolution"),
                                   twips::rect(9480, 5220, 360, 375), big);

    m_interpret =
        controls::button(this, "detailsButton", QStringLiteral("Interpréter"), twips::rect(10560, 5520, 1095, 975));
    m_interpret->setAccessibleName(QStringLiteral("Interpréter les détails"));
    m_interpret->setAccessibleDescription(QStringLiteral("Ouvre la description détaillée de votre profil."));
    m_interpret->setEnabled(false);
    connect(m_interpret, &QPushButton::clicked, this, &DetailsPage::interpretRequested);
}

void DetailsPage::clear()
{
    for (QLabel* label :
         {m_type, m_wing, m_chargePoint, m_dischargePoint, m_passion, m_antidote, m_evolution1, m_evolution2})
        label->setText(QString()); // unlike clear(), tells screen readers that the value is gone
    m_figure->resetColours();
    m_interpret->setEnabled(false);
}

void DetailsPage::showResult(int type, int wing1, int wing2)
{
    m_type->setText(QString::number(type));
    m_figure->setNumberColour(type, EnneagramFigure::kHighlight);

    QStringList wings;
    for (const int wing : {wing1, wing2}) {
        if (wing == 0)
            continue;
        wings << QString::number(wing);
        m_figure->setNumberColour(wing, EnneagramFigure::kWing);
    }
    m_wing->setText(wings.join(QStringLiteral(" / ")));

    const typology::TypeProfile profile = typology::profile(type);
    m_chargePoint->setText(QString::number(profile.charge));
    m_dischargePoint->setText(QString::number(profile.discharge));
    m_passion->setText(profile.passion);
    m_antidote->setText(profile.antidote);
    m_evolution1->setText(QString::number(profile.evolution1));
    m_evolution2->setText(QString::number(profile.evolution2));
    m_figure->setLineColour(type, profile.charge, EnneagramFigure::kHighlight);
    m_figure->setLineColour(type, profile.discharge, EnneagramFigure::kHighlight);
    m_interpret->setEnabled(true);
}

DetailsValues DetailsPage::values() const
{
    return {m_type->text(),    m_wing->text(),     m_chargePoint->text(), m_dischargePoint->text(),
            m_passion->text(), m_antidote->text(), m_evolution1->text(),  m_evolution2->text()};
}

EnneagramFigure::Marks DetailsPage::figureMarks() const
{
    return m_figure->marks();
}

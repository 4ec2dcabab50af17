#include "persons/InteractionPage.h"

#include "typology/TypeTables.h"
#include "widgets/Captions.h"
#include "widgets/Controls.h"
#include "widgets/EnneagramFigure.h"
#include "widgets/Fonts.h"
#include "widgets/TabPage.h"
#include "widgets/Twips.h"
#include "widgets/ValueLabel.h"

#include <QLineEdit>
#include <QPushButton>

InteractionPage::InteractionPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("interactionPage"));
    controls::pageBackground(this, QColor(219, 128, 255));
    m_figure = new EnneagramFigure(this);
    m_figure->setObjectName(QStringLiteral("interactionFigureNumbers"));
    m_figure->setGeometry(EnneagramFigure::area());

    const QFont font = fonts::sansSerif(8.25);
    controls::label(this, QStringLiteral("Votre partenaire :"), twips::rect(5760, 765, 1455, 255), font);
    m_firstName = controls::field(this, "partnerFirstNameField", twips::rect(7200, 720, 2115, 285),
                                  QStringLiteral("Prénom du partenaire"));
    m_firstName->setAccessibleDescription(QStringLiteral("Prénom du partenaire."));
    m_lastName = controls::field(this, "partnerLastNameField", twips::rect(9480, 720, 2115, 285),
                                 QStringLiteral("Nom du partenaire"));
    m_lastName->setAccessibleDescription(QStringLiteral("Nom du partenaire."));
    connect(m_firstName, &QLineEdit::textChanged, this, &InteractionPage::partnerNamesEdited);
    connect(m_lastName, &QLineEdit::textChanged, this, &InteractionPage::partnerNamesEdited);
    controls::label(this, captions::type(), twips::rect(7680, 1260, 1695, 255), font);
    m_te2 = controls::field(this, "te2", twips::rect(9480, 1200, 435, 285),
                            QStringLiteral("Type Ennéagramme du partenaire"));
    m_te2->setAccessibleDescription(QStringLiteral("Type Ennéagramme du partenaire, de 1 à 9."));

    m_compute = controls::button(this, "interactionComputeButton", QStringLiteral("Calculer"),
                                 twips::rect(8280, 1680, 1095, 305));
    m_compute->setAccessibleName(QStringLiteral("Calculer l'interaction"));
    m_compute->setAccessibleDescription(
        QStringLiteral("Calcule l'interaction entre votre type et celui du partenaire."));
    m_compute->setEnabled(false);
    connect(m_compute, &QPushButton::clicked, this, &InteractionPage::computeRequested);

    const QFont big = fonts::sansSerif(13.5);
    controls::label(this, QStringLiteral("Résultante :"), twips::rect(6480, 3240, 1575, 375), big);
    m_keyword = controls::value(this, "interactionKeywordLabel", QStringLiteral("Résultante"),
                                twips::rect(8280, 3240, 3615, 375), big);

    m_interpret =
        controls::button(this, "interactionButton", QStringLiteral("Interpréter"), twips::rect(10560, 5520, 1095, 975));
    m_interpret->setAccessibleName(QStringLiteral("Interpréter l'interaction"));
    m_interpret->setAccessibleDescription(QStringLiteral("Explique l'interaction affichée."));
    m_interpret->setEnabled(false);
    connect(m_interpret, &QPushButton::clicked, this, &InteractionPage::interpretRequested);
}

void InteractionPage::clear()
{
    for (QLineEdit* field : {m_firstName, m_lastName, m_te2})
        field->clear();
    m_figure->resetColours();
    m_compute->setEnabled(false);
    m_interpret->setEnabled(false);
}

void InteractionPage::showUserType(int type)
{
    m_figure->setNumberColour(type, EnneagramFigure::kHighlight);
    m_compute->setEnabled(true);
    m_interpret->setEnabled(true);
}

void InteractionPage::showInteraction(int userType, int partnerType)
{
    m_figure->resetColours();
    m_figure->setNumberColour(userType, EnneagramFigure::kHighlight);
    m_figure->setNumberColour(partnerType, EnneagramFigure::kHighlight);
    m_keyword->setText(typology::pairKeyword(userType, partnerType));
    m_figure->setLineColour(userType, partnerType, EnneagramFigure::kHighlight);
}

PersonRecord InteractionPage::partner() const
{
    PersonRecord partner;
    partner.lastName = m_lastName->text();
    partner.firstName = m_firstName->text();
    partner.type = m_te2->text();
    return partner;
}

void InteractionPage::showPartner(const PersonRecord& partner)
{
    m_firstName->setText(partner.firstName);
    m_lastName->setText(partner.lastName);
    m_te2->setText(partner.type);
}

QString InteractionPage::keyword() const
{
    return m_keyword->text();
}

bool InteractionPage::focusField(RecordField field)
{
    QLineEdit* edit = field == RecordField::LastName    ? m_lastName
                      : field == RecordField::FirstName ? m_firstName
                      : field == RecordField::Type      ? m_te2
                                                        : nullptr;
    if (!edit)
        return false;
    controls::showTabPage(this);
    edit->setFocus();
    return true;
}

#include "persons/PersonStrip.h"

#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"
#include "widgets/ValueLabel.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The wings held with the type, in words: "ailes : 8 et 1", "aile : 5", or nothing.
QString spokenWings(const QString& wing1Text, const QString& wing2Text)
{
    QStringList wings;
    for (const QString& text : {wing1Text.trimmed(), wing2Text.trimmed()}) {
        if (!text.isEmpty() && text != u'0')
            wings << text;
    }
    if (wings.isEmpty())
        return {};
    return (wings.size() == 1 ? QStringLiteral("aile\u00a0: ") : QStringLiteral("ailes\u00a0: ")) +
           wings.join(QStringLiteral(" et "));
}

} // namespace

PersonStrip::PersonStrip(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("personStrip"));
    setGeometry(twips::rect(0, 0, 12225, 1200));

    auto* rule = new QFrame(this);
    rule->setGeometry(twips::rect(0, 0, 12225, 30));
    rule->setFrameShape(QFrame::HLine);

    const QFont font = fonts::sansSerif(8.25);
    const auto white = [&](const QString& text, const QRect& r, Qt::Alignment alignment) {
        QLabel* label = controls::label(this, text, r, font);
        controls::setColour(label, QPalette::WindowText, Qt::white);
        label->setAlignment(alignment);
    };
    white(QStringLiteral("Prénom"), twips::rect(2400, 120, 1335, 195), Qt::AlignCenter);
    white(QStringLiteral("Nom"), twips::rect(4680, 120, 1335, 195), Qt::AlignCenter);
    white(QStringLiteral("--Type Ennéagramme --"), twips::rect(6600, 120, 1815, 255), Qt::AlignLeft | Qt::AlignVCenter);
    white(QStringLiteral("Vous :"), twips::rect(1320, 510, 615, 255), Qt::AlignCenter);

    m_firstName =
        controls::field(this, "firstNameField", twips::rect(2040, 480, 2115, 285), QStringLiteral("Votre prénom"));
    m_firstName->setAccessibleDescription(QStringLiteral("Prénom de la personne qui répond au questionnaire."));
    m_lastName = controls::field(this, "lastNameField", twips::rect(4320, 480, 2115, 285), QStringLiteral("Votre nom"));
    m_lastName->setAccessibleDescription(QStringLiteral("Nom de la personne qui répond au questionnaire."));
    setTabOrder(m_firstName, m_lastName);
    connect(m_firstName, &QLineEdit::textChanged, this, &PersonStrip::namesEdited);
    connect(m_lastName, &QLineEdit::textChanged, this, &PersonStrip::namesEdited);
    connect(m_firstName, &QLineEdit::textEdited, this, &PersonStrip::namesTyped);
    connect(m_lastName, &QLineEdit::textEdited, this, &PersonStrip::namesTyped);

    ValueLabel* te1 =
        controls::value(this, "te1", QStringLiteral("Type Ennéagramme"), twips::rect(7200, 480, 375, 285), font);
    m_te1 = te1;
    m_te1->setAccessibleDescription(QStringLiteral(
        "Votre type Ennéagramme et ses ailes, trouvés par le questionnaire ou repris d'une personne enregistrée."));
    m_te1->setFrameShape(QFrame::Box);
    m_te1->setAlignment(Qt::AlignCenter);
    m_te1->setAutoFillBackground(true);
    m_te1->setBackgroundRole(QPalette::Base);
    // Focus comes here only to announce a result; clicking may bring it too, Tab never does.
    m_te1->setFocusPolicy(Qt::ClickFocus);
    m_aile1 = controls::label(this, QString(), twips::rect(7680, 480, 255, 255), font);
    m_aile1->setObjectName(QStringLiteral("aile1"));
    m_aile2 = controls::label(this, QString(), twips::rect(8040, 480, 255, 255), font);
    m_aile2->setObjectName(QStringLiteral("aile2"));
    m_aile1->hide();
    m_aile2->hide();
    te1->setSpokenDetail([this] { return spokenWings(m_aile1->text(), m_aile2->text()); });

    m_compute = controls::button(this, "computeButton", QStringLiteral("Calculer"), twips::rect(8520, 480, 1095, 305));
    m_compute->setAccessibleName(QStringLiteral("Calculer votre profil"));
    m_compute->setAccessibleDescription(
        QStringLiteral("Affiche le profil à partir du type et des ailes de la ligne «\u00a0Vous\u00a0»."));
    auto* clearAll =
        controls::button(this, "clearAllButton", QStringLiteral("Effacer tout"), twips::rect(9720, 480, 1095, 305));
    clearAll->setAccessibleDescription(QStringLiteral("Efface les deux personnes et tous les résultats affichés."));
    connect(m_compute, &QPushButton::clicked, this, &PersonStrip::computeRequested);
    connect(clearAll, &QPushButton::clicked, this, &PersonStrip::clearRequested);
}

void PersonStrip::clear()
{
    m_firstName->clear();
    m_lastName->clear();
    for (QLabel* label : {m_te1, m_aile1, m_aile2})
        label->setText(QString()); // unlike clear(), tells screen readers that the value is gone
}

void PersonStrip::setNames(const QString& firstName, const QString& lastName)
{
    m_firstName->setText(firstName);
    m_lastName->setText(lastName);
}

void PersonStrip::showTyping(int type, int wing1, int wing2)
{
    m_aile1->setText(u' ' + QString::number(wing1));
    m_aile2->setText(u' ' + QString::number(wing2));
    m_te1->setText(u' ' + QString::number(type));
}

void PersonStrip::showPerson(const PersonRecord& person)
{
    setNames(person.firstName, person.lastName);
    m_te1->setText(person.type);
    m_aile1->setText(person.wing1);
    m_aile2->setText(person.wing2);
}

PersonRecord PersonStrip::person() const
{
    PersonRecord person;
    person.lastName = m_lastName->text();
    person.firstName = m_firstName->text();
    person.type = m_te1->text();
    person.wing1 = m_aile1->text();
    person.wing2 = m_aile2->text();
    return person;
}

bool PersonStrip::focusField(RecordField field)
{
    QLineEdit* edit = field == RecordField::FirstName  ? m_firstName
                      : field == RecordField::LastName ? m_lastName
                                                       : nullptr;
    if (!edit)
        return false;
    edit->setFocus();
    return true;
}

void PersonStrip::announceType()
{
    m_te1->setFocus(Qt::OtherFocusReason);
}

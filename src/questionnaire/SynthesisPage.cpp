#include "questionnaire/SynthesisPage.h"

#include "widgets/Captions.h"
#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/ProfileChart.h"
#include "widgets/Twips.h"
#include "widgets/ValueLabel.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

SynthesisPage::SynthesisPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("synthesisPage"));
    const QColor colour(128, 128, 255);
    controls::pageBackground(this, colour);

    const QFont big = fonts::sansSerif(13.5);
    controls::label(this, captions::type(), twips::rect(4440, 2700, 2895, 375), big);
    m_type = controls::value(this, "synthesisTypeValue", QStringLiteral("Type Ennéagramme"),
                             twips::rect(7320, 2700, 975, 375), big);

    m_questionnaire = controls::button(this, "questionnaireButton", QStringLiteral("Répondre au questionnaire"),
                                       twips::rect(4200, 1740, 4215, 615));
    m_questionnaire->setAccessibleDescription(
        QStringLiteral("Pose les 81 questions, une à une, puis affiche votre type."));
    connect(m_questionnaire, &QPushButton::clicked, this, &SynthesisPage::questionnaireRequested);

    m_interpret =
        controls::button(this, "synthesisButton", QStringLiteral("Interpréter"), twips::rect(10560, 5520, 1095, 975));
    m_interpret->setAccessibleName(QStringLiteral("Interpréter la synthèse"));
    m_interpret->setAccessibleDescription(
        QStringLiteral("Ouvre la synthèse de votre type dans la fenêtre d'interprétation."));
    m_interpret->setEnabled(false);
    connect(m_interpret, &QPushButton::clicked, this, &SynthesisPage::interpretRequested);

    m_profileFrame = new QGroupBox(QStringLiteral("Profil "), this);
    m_profileFrame->setObjectName(QStringLiteral("profileFrame"));
    m_profileFrame->setGeometry(twips::rect(4200, 3420, 4215, 2895));
    m_profileFrame->setAutoFillBackground(true);
    controls::setColour(m_profileFrame, QPalette::Window, colour);
    m_chart = new ProfileChart(m_profileFrame);
    m_chart->setObjectName(QStringLiteral("profil"));
    m_chart->setGeometry(0, 0, m_profileFrame->width(), m_profileFrame->height());
    m_profileFrame->hide();

    // Beside the profile it judges, in the page's empty left part, so that no other control gives up any room; the
    // column is tall enough for the longest near tie wrapped at a large font. Bold only: the size follows the window's.
    m_clarity = new QLabel(this);
    m_clarity->setObjectName(QStringLiteral("clarityLabel"));
    m_clarity->setTextFormat(Qt::PlainText);
    m_clarity->setGeometry(twips::rect(480, 3540, 3480, 2775));
    QFont bold;
    bold.setBold(true);
    m_clarity->setFont(bold);
    m_clarity->setWordWrap(true);
    m_clarity->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

void SynthesisPage::clear()
{
    m_type->setText(QString()); // unlike clear(), tells screen readers that the value is gone
    m_interpret->setEnabled(false);
    m_profileFrame->hide();
    m_clarity->setText(QString());
}

void SynthesisPage::showResult(int type, const Scores& scores, const QString& clarity)
{
    m_type->setText(QString::number(type));
    m_clarity->setText(clarity);
    m_chart->setScores(scores);
    m_profileFrame->show();
    m_interpret->setEnabled(true);
}

QString SynthesisPage::typeText() const
{
    return m_type->text();
}

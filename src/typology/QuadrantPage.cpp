#include "typology/QuadrantPage.h"

#include "widgets/Controls.h"
#include "widgets/Fonts.h"
#include "widgets/TabPage.h"
#include "widgets/Twips.h"
#include "widgets/ValueLabel.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QtMath>

namespace {

struct Box
{
    QRect area; // twips
    QColor colour;
};

const Box kBoxes[] = {
    {{480, 1920, 3375, 1695}, QColor(0, 192, 0)},
    {{6720, 1920, 3375, 1695}, QColor(255, 128, 0)},
    {{6720, 4800, 3375, 1695}, QColor(255, 255, 0)},
    {{480, 4800, 3375, 1695}, QColor(255, 0, 0)},
};

struct Arrow
{
    QPoint from, to;
};

const Arrow kArrows[] = {
    {{3840, 2760}, {6720, 2760}}, {{8400, 3600}, {8400, 4800}}, {{2160, 3600}, {2160, 4800}},
    {{6720, 5640}, {3840, 5640}}, {{3840, 3600}, {6720, 4800}}, {{6720, 3600}, {3840, 4800}},
};

// `caption` is the box the label stands in, so that a screen reader says "Piège : Maniaque".
QLabel* valueLabel(QWidget* parent, const char* name, const QString& caption, const QRect& area, bool bordered)
{
    QLabel* label = controls::value(parent, name, caption, area, fonts::sansSerif(9.75));
    label->setAlignment(Qt::AlignCenter);
    if (bordered) {
        label->setFrameShape(QFrame::Box);
        label->setAutoFillBackground(true);
        label->setBackgroundRole(QPalette::Base);
    }
    return label;
}

} // namespace

QuadrantPage::QuadrantPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("quadrantPage"));
    auto* explanation = controls::label(
        this,
        QStringLiteral("Le carré fondamental permet d’agir à partir de nos qualités fondamentales et de "
                       "savoir comment nous comporter dans les situations qui provoquent des réactions "
                       "«allergiques» et des comportements inadaptés."),
        twips::rect(480, 840, 11295, 580), fonts::sansSerif(9.75, true));
    explanation->setAutoFillBackground(true);
    controls::setColour(explanation, QPalette::Window, QColor(219, 128, 255));

    const QString quality = QStringLiteral("Qualité");
    const QString pitfall = QStringLiteral("Piège");
    const QString challenge = QStringLiteral("Défi");
    const QString allergy = QStringLiteral("Allergie");
    const QFont big = fonts::sansSerif(18);
    QLabel* qualityCaption = controls::label(this, quality, twips::rect(1560, 2040, 1215, 495), big);
    controls::label(this, pitfall, twips::rect(7920, 2040, 1215, 495), big);
    controls::label(this, challenge, twips::rect(8040, 4920, 735, 495), big);
    QLabel* allergyCaption = controls::label(this, allergy, twips::rect(1560, 4920, 1335, 495), big);

    const QFont small = fonts::sansSerif(9.75);
    controls::label(this, QStringLiteral("Exagération de la qualité"), twips::rect(4320, 2430, 2295, 255), small);
    controls::label(this, QStringLiteral("Opposé positif"), twips::rect(8520, 3960, 1455, 255), small);
    controls::label(this, QStringLiteral("Opposé négatif"), twips::rect(2280, 3960, 1455, 255), small);
    controls::label(this, QStringLiteral("Exagération du défi"), twips::rect(4680, 5280, 1935, 255), small);
    controls::label(this, QStringLiteral("En détente"), twips::rect(5760, 4200, 1095, 255), small);
    controls::label(this, QStringLiteral("En stress"), twips::rect(4080, 4200, 1095, 255), small);

    m_qualityType = valueLabel(this, "qualityTypeValue", quality, twips::rect(720, 2640, 2895, 255), false);
    m_pitfallType = valueLabel(this, "pitfallTypeValue", pitfall, twips::rect(6960, 2640, 2895, 255), false);
    m_pitfall = valueLabel(this, "pitfallValue", pitfall, twips::rect(6960, 3000, 2895, 300), true);
    m_challengeType = valueLabel(this, "challengeTypeValue", challenge, twips::rect(6960, 5520, 2895, 255), false);
    m_challenge = valueLabel(this, "challengeValue", challenge, twips::rect(6960, 5880, 2895, 300), true);
    m_allergyType = valueLabel(this, "allergyTypeValue", allergy, twips::rect(720, 5520, 2895, 255), false);

    m_quality = new QComboBox(this);
    m_quality->setObjectName(QStringLiteral("qualityCombo"));
    m_quality->setGeometry(twips::rect(720, 3000, 2895, 360));
    m_quality->setFont(small);
    m_quality->setAccessibleName(quality);
    m_quality->setAccessibleDescription(
        QStringLiteral("Pour choisir l'une des cinq qualités de votre type\u00a0; l'allergie suit."));
    m_allergy = new QComboBox(this);
    m_allergy->setObjectName(QStringLiteral("allergyCombo"));
    m_allergy->setGeometry(twips::rect(720, 5900, 2895, 360));
    m_allergy->setFont(small);
    m_allergy->setAccessibleName(allergy);
    m_allergy->setAccessibleDescription(
        QStringLiteral("Pour choisir l'une des cinq allergies de votre type\u00a0; la qualité suit."));
    // Screen readers on Linux name a list after the label that points to it, not after its accessible name.
    qualityCaption->setBuddy(m_quality);
    allergyCaption->setBuddy(m_allergy);

    m_button = new QPushButton(QStringLiteral("Interpréter"), this);
    m_button->setObjectName(QStringLiteral("quadrantButton"));
    m_button->setGeometry(twips::rect(10560, 5520, 1095, 975));
    m_button->setAccessibleName(QStringLiteral("Interpréter le carré fondamental"));
    m_button->setAccessibleDescription(QStringLiteral("Explique le carré fondamental choisi."));
    m_button->setEnabled(false);
    connect(m_button, &QPushButton::clicked, this, &QuadrantPage::interpretRequested);

    // currentIndexChanged fires only when the index really changes, which ends the exchange between the lists.
    connect(m_quality, &QComboBox::currentIndexChanged, this, &QuadrantPage::qualitySelected);
    connect(m_allergy, &QComboBox::currentIndexChanged, this, &QuadrantPage::allergySelected);
}

void QuadrantPage::showRow(int row)
{
    m_qualityType->setText(m_table.cell(row, Corner::Quality, Layer::Type));
    m_pitfallType->setText(m_table.cell(row, Corner::Pitfall, Layer::Type));
    m_pitfall->setText(m_table.cell(row, Corner::Pitfall, Layer::Word));
    m_challengeType->setText(m_table.cell(row, Corner::Challenge, Layer::Type));
    m_challenge->setText(m_table.cell(row, Corner::Challenge, Layer::Word));
    m_allergyType->setText(m_table.cell(row, Corner::Allergy, Layer::Type));
}

void QuadrantPage::qualitySelected(int index)
{
    showRow(index + 1);
    m_allergy->setCurrentIndex(index);
}

void QuadrantPage::allergySelected(int index)
{
    m_quality->setCurrentIndex(index);
    showRow(index + 1);
}

void QuadrantPage::clear()
{
    const QSignalBlocker blockQuality(m_quality);
    const QSignalBlocker blockAllergy(m_allergy);
    m_quality->clear();
    m_allergy->clear();
    for (QLabel* label : {m_qualityType, m_pitfallType, m_pitfall, m_challengeType, m_challenge, m_allergyType})
        label->setText(QString()); // unlike clear(), tells screen readers that the value is gone
    m_table.clear();
    m_button->setEnabled(false);
}

void QuadrantPage::prime(const QuadrantTable& table)
{
    m_table = table;
    {
        const QSignalBlocker blockQuality(m_quality);
        const QSignalBlocker blockAllergy(m_allergy);
        m_quality->clear();
        m_allergy->clear();
        for (int row = 1; row <= 5; ++row) {
            const QString quality = m_table.cell(row, Corner::Quality, Layer::Word);
            if (quality.isEmpty() && m_table.cell(row, Corner::Allergy, Layer::Word).isEmpty())
                break;
            m_quality->addItem(quality);
            m_allergy->addItem(m_table.cell(row, Corner::Allergy, Layer::Word));
        }
        // Nothing selected yet, so that selecting the first row below runs the handlers like a user's choice.
        m_quality->setCurrentIndex(-1);
        m_allergy->setCurrentIndex(-1);
    }
    m_qualityType->setText(m_table.cell(1, Corner::Quality, Layer::Type));
    if (m_quality->count() > 0)
        m_quality->setCurrentIndex(0);
    m_pitfallType->setText(m_table.cell(1, Corner::Pitfall, Layer::Type));
    m_pitfall->setText(m_table.cell(1, Corner::Pitfall, Layer::Word));
    m_challengeType->setText(m_table.cell(1, Corner::Challenge, Layer::Type));
    m_challenge->setText(m_table.cell(1, Corner::Challenge, Layer::Word));
    m_allergyType->setText(m_table.cell(1, Corner::Allergy, Layer::Type));
    if (m_allergy->count() > 0)
        m_allergy->setCurrentIndex(0);
    m_button->setEnabled(true);
}

int QuadrantPage::selectedRow() const
{
    return m_quality->currentIndex() + 1;
}

void QuadrantPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.translate(-controls::tabPageOffset(this));
    painter.fillRect(twips::rect(120, 480, 11895, 6375), QColor(192, 128, 255));
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Box& box : kBoxes) {
        painter.setPen(Qt::black);
        painter.setBrush(box.colour);
        painter.drawRect(twips::rect(box.area.x(), box.area.y(), box.area.width(), box.area.height()));
    }
    painter.setPen(QPen(Qt::black, 2));
    for (const Arrow& arrow : kArrows) {
        const QPointF from = twips::point(arrow.from.x(), arrow.from.y());
        const QPointF to = twips::point(arrow.to.x(), arrow.to.y());
        painter.drawLine(from, to);
        const qreal angle = qAtan2(to.y() - from.y(), to.x() - from.x());
        const qreal head = 10;
        for (const qreal side : {M_PI * 5 / 6, -M_PI * 5 / 6})
            painter.drawLine(to, to + QPointF(qCos(angle + side) * head, qSin(angle + side) * head));
    }
}

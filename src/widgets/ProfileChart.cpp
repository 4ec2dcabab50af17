#include "widgets/ProfileChart.h"

#include "widgets/Twips.h"

#include <QPainter>

ProfileChart::ProfileChart(QWidget* parent) : QWidget(parent)
{
    m_barTops.fill(360);
    setAccessibleName(QStringLiteral("Profil\u00a0: vide"));
    setAccessibleDescription(
        QStringLiteral("Nombre de réponses «\u00a0oui\u00a0» pour chacun des neuf types, de 0 à 9."));
}

int ProfileChart::barTopFor(int score)
{
    return 360 + 240 * (9 - score);
}

int ProfileChart::barTop(int type) const
{
    return type >= 1 && type <= 9 ? m_barTops[type] : 0;
}

ProfileChart::BarTops ProfileChart::barTopsFor(const Scores& scores)
{
    BarTops tops{};
    for (int i = 1; i <= 9; ++i)
        tops[size_t(i)] = barTopFor(scores[size_t(i)]);
    return tops;
}

void ProfileChart::setScores(const Scores& scores)
{
    m_barTops = barTopsFor(scores);
    QStringList parts;
    for (int i = 1; i <= 9; ++i)
        parts << QStringLiteral("%1 pour le type %2").arg(scores[size_t(i)]).arg(i);
    // The bars are the values here: a screen reader reads them with the frame's caption, as it reads a label.
    setAccessibleName(QStringLiteral("Profil\u00a0: ") + parts.join(QStringLiteral(", ")));
    update();
}

void ProfileChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, m_barTops, palette().color(QPalette::WindowText), font());
}

void ProfileChart::paint(QPainter& painter, const BarTops& barTops, const QColor& axis, const QFont& font)
{
    using twips::point;
    painter.save();
    painter.setFont(font);

    QPen guide(QColor(192, 192, 192));
    guide.setStyle(Qt::DashDotLine);
    painter.setPen(guide);
    for (int y : {600, 1080, 1560, 2040})
        painter.drawLine(point(370, y), point(3900, y));

    painter.setPen(axis);
    painter.drawLine(point(360, 360), point(360, kAxisBottom));
    painter.drawLine(point(360, kAxisBottom), point(3960, kAxisBottom));
    for (int i = 1; i <= 9; ++i) {
        const int x = 720 + 360 * (i - 1);
        painter.drawLine(point(x, 2400), point(x, 2640));
        painter.drawText(twips::rect(x - 120, 2625, 255, 255), Qt::AlignHCenter | Qt::AlignTop, QString::number(i));
    }

    painter.setPen(QPen(QColor(128, 0, 128), 3, Qt::SolidLine, Qt::FlatCap));
    for (int i = 1; i <= 9; ++i) {
        if (barTops[size_t(i)] >= kAxisBottom)
            continue;
        const int x = 720 + 360 * (i - 1);
        painter.drawLine(point(x, kAxisBottom), point(x, barTops[size_t(i)]));
    }
    painter.restore();
}

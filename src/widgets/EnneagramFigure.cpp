#include "widgets/EnneagramFigure.h"

#include "widgets/Fonts.h"
#include "widgets/Twips.h"

#include <QIconEngine>
#include <QPainter>
#include <QtMath>

namespace {

struct Line
{
    int a, b;
    QPoint from, to; // twips, from the top of the tab control
};

const QColor kTriangleGreen(192, 255, 192);
const QColor kFigureGreen(0, 255, 0);

const std::array<Line, EnneagramFigure::kLineCount> kLines = {{
    {9, 3, {2760, 1620}, {4440, 4500}},
    {3, 6, {4440, 4500}, {960, 4500}},
    {9, 6, {2760, 1620}, {960, 4500}},
    {1, 4, {3960, 2100}, {3480, 5460}},
    {4, 2, {3480, 5460}, {4680, 3300}},
    {2, 8, {4680, 3300}, {1440, 2100}},
    {8, 5, {1440, 2100}, {1920, 5460}},
    {5, 7, {1920, 5460}, {720, 3300}},
    {7, 1, {720, 3300}, {3960, 2100}},
}};

// Top-left corners of the number labels, indexed by number.
const std::array<QPoint, 10> kNumberCorners = {{
    {0, 0},
    {4080, 1740},
    {4800, 3060},
    {4560, 4500},
    {3480, 5460},
    {1800, 5460},
    {720, 4500},
    {480, 3060},
    {1200, 1740},
    {2700, 1140},
}};

} // namespace

const QColor EnneagramFigure::kHighlight(255, 0, 0);
const QColor EnneagramFigure::kWing(255, 255, 0);

EnneagramFigure::EnneagramFigure(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleDescription(
        QStringLiteral("Les neuf types sur un cercle, le triangle 3-6-9 et la figure 1-4-2-8-5-7."));
    resetColours();
}

QRect EnneagramFigure::area()
{
    return twips::rect(0, 0, 5400, 6855);
}

QColor EnneagramFigure::numberColour(int number) const
{
    return number >= 1 && number <= 9 ? m_marks.numbers[number] : QColor();
}

void EnneagramFigure::setNumberColour(int number, const QColor& colour)
{
    if (number < 1 || number > 9)
        return;
    m_marks.numbers[number] = colour;
    updateAccessibleName();
    update();
}

int EnneagramFigure::lineIndex(int a, int b)
{
    for (int i = 0; i < kLineCount; ++i) {
        if ((kLines[i].a == a && kLines[i].b == b) || (kLines[i].a == b && kLines[i].b == a))
            return i;
    }
    return -1;
}

QColor EnneagramFigure::baseLineColour(int index)
{
    return index < 3 ? kTriangleGreen : kFigureGreen;
}

QColor EnneagramFigure::lineColour(int a, int b) const
{
    const int index = lineIndex(a, b);
    return index < 0 ? QColor() : m_marks.lines[index];
}

void EnneagramFigure::setLineColour(int a, int b, const QColor& colour)
{
    const int index = lineIndex(a, b);
    if (index < 0)
        return;
    m_marks.lines[index] = colour;
    updateAccessibleName();
    update();
}

void EnneagramFigure::resetColours()
{
    const QColor buttonText = palette().color(QPalette::ButtonText);
    for (int n = 1; n <= 9; ++n)
        m_marks.numbers[n] = buttonText;
    for (int i = 0; i < kLineCount; ++i)
        m_marks.lines[i] = baseLineColour(i);
    updateAccessibleName();
    update();
}

void EnneagramFigure::updateAccessibleName()
{
    QStringList red, yellow, lines;
    for (int n = 1; n <= 9; ++n) {
        if (m_marks.numbers[n] == kHighlight)
            red << QString::number(n);
        else if (m_marks.numbers[n] == kWing)
            yellow << QString::number(n);
    }
    for (int i = 0; i < kLineCount; ++i) {
        if (m_marks.lines[i] == kHighlight)
            lines << QStringLiteral("%1-%2").arg(kLines[i].a).arg(kLines[i].b);
    }
    // The marks are what the figure shows of a result, so they belong in the name a screen reader reads first.
    QString name = QStringLiteral("Figure de l'ennéagramme. ");
    name += red.isEmpty() ? QStringLiteral("Aucun type marqué.")
                          : QStringLiteral("Types marqués en rouge\u00a0: %1.").arg(red.join(u", "));
    if (!yellow.isEmpty())
        name += QStringLiteral(" Ailes en jaune\u00a0: %1.").arg(yellow.join(u", "));
    if (!lines.isEmpty())
        name += QStringLiteral(" Lignes en rouge\u00a0: %1.").arg(lines.join(u", "));
    setAccessibleName(name);
}

void EnneagramFigure::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, m_marks, fonts::verdana(14.25));
}

QFont EnneagramFigure::numberFont()
{
    // Twips become pixels at 96 to the inch: 14.25 points are 19 of those pixels, on a page as on a screen.
    QFont font = fonts::verdana(14.25);
    font.setPixelSize(qRound(14.25 * twips::toPixels(1440) / 72.0));
    return font;
}

QRect EnneagramFigure::drawnArea()
{
    return twips::rect(420, 1080, 4620, 4800);
}

void EnneagramFigure::paint(QPainter& painter, const Marks& marks, const QFont& numberFont)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 128, 255));
    painter.drawEllipse(twips::rect(480, 1620, 4455, 3975));

    for (int i = 0; i < kLineCount; ++i) {
        painter.setPen(QPen(marks.lines[size_t(i)], 3));
        painter.drawLine(twips::point(kLines[size_t(i)].from.x(), kLines[size_t(i)].from.y()),
                         twips::point(kLines[size_t(i)].to.x(), kLines[size_t(i)].to.y()));
    }

    painter.setFont(numberFont);
    for (int n = 1; n <= 9; ++n) {
        painter.setPen(marks.numbers[size_t(n)]);
        const QRect box = twips::rect(kNumberCorners[size_t(n)].x(), kNumberCorners[size_t(n)].y(), 180, 375);
        painter.drawText(box.adjusted(-4, 0, 4, 0), Qt::AlignCenter, QString::number(n));
    }
    painter.restore();
}

namespace {

// The icon's pictures are read when the system first asks for them: decoding a picture starts Qt's search for image
// plugins, which costs more than the rest of the window's making, and a window without a frame (offscreen, tests)
// never asks.
class ResourceIconEngine : public QIconEngine
{
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new ResourceIconEngine(*this); }

private:
    const QIcon& loaded()
    {
        if (m_icon.isNull()) {
            for (const int size : {16, 32, 64, 128})
                m_icon.addFile(QStringLiteral(":/widgets/icon/icon-%1.png").arg(size), QSize(size, size));
        }
        return m_icon;
    }

    QIcon m_icon;
};

} // namespace

QIcon EnneagramFigure::applicationIcon()
{
    return QIcon(new ResourceIconEngine);
}

#include "platform/PagedDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <cmath>

namespace paged {

namespace {

// Laid out at a printer's resolution, so that every glyph keeps its place whatever device paints it.
constexpr int kLayoutDpi = 1200;
constexpr qreal kMillimetre = kLayoutDpi / 25.4;
constexpr qreal kPaperWidth = 210 * kMillimetre;
constexpr qreal kPaperHeight = 297 * kMillimetre;
// Book margins: wider at the inner edge, where the pages are bound, and at the foot.
constexpr qreal kInner = 25 * kMillimetre;
constexpr qreal kOuter = 18 * kMillimetre;
constexpr qreal kTop = 22 * kMillimetre;
constexpr qreal kBottom = 25 * kMillimetre;
constexpr qreal kTextWidth = kPaperWidth - kInner - kOuter;

QPaintDevice* layoutDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(kLayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

QFont runningFont(const QTextDocument& document)
{
    QFont font = document.defaultFont();
    font.setPointSizeF(8.5);
    return font;
}

// Page index (from 0) on which a y of the layout lies.
int pageOf(qreal y)
{
    return int(std::floor(y / kPaperHeight));
}

// Lengths in text formats (margins, indents) are taken in pixels of the screen's resolution and scaled to the
// layout's: measured once on a frame margin, so that margins come out in millimetres on paper whatever the screen.
qreal formatScale()
{
    static const qreal scale = [] {
        QTextDocument probe;
        probe.documentLayout()->setPaintDevice(layoutDevice());
        probe.setDocumentMargin(1000);
        probe.setPlainText(QStringLiteral("x"));
        const qreal top = probe.documentLayout()->blockBoundingRect(probe.begin()).top();
        return top > 0 ? top / 1000 : 1.0;
    }();
    return scale;
}

} // namespace

qreal unitsPerPoint()
{
    return kLayoutDpi / 72.0;
}

qreal formatLength(qreal points)
{
    return points * unitsPerPoint() / formatScale();
}

void setUpA4(QTextDocument& document)
{
    document.documentLayout()->setPaintDevice(layoutDevice());
    document.setUseDesignMetrics(true);
    document.setPageSize(QSizeF(kTextWidth, kPaperHeight));
    document.setDocumentMargin(0); // before the margins below, which it would overwrite
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setTopMargin(kTop / formatScale());
    frame.setBottomMargin(kBottom / formatScale());
    frame.setLeftMargin(0);
    frame.setRightMargin(0);
    document.rootFrame()->setFrameFormat(frame);
}

void keepHeadingsWithNext(QTextDocument& document)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (block.blockFormat().headingLevel() == 0 || !next.isValid())
            continue;
        const QRectF heading = layout->blockBoundingRect(block);
        const QRectF following = layout->blockBoundingRect(next);
        qreal followingFirstLine = following.top();
        if (next.layout() && next.layout()->lineCount() > 0)
            followingFirstLine += next.layout()->lineAt(0).rect().bottom();
        if (pageOf(heading.top()) == pageOf(followingFirstLine - 1))
            continue;
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }
}

bool paint(const QTextDocument& document, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    const int pages = document.pageCount();
    // The whole A4 page fits the device's page, whatever paper the printer holds.
    const qreal scale = std::min(device.width() / kPaperWidth, device.height() / kPaperHeight);
    const QFont running = runningFont(document);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        painter.save();
        painter.scale(scale, scale);
        const bool recto = page % 2 == 0;
        const qreal left = recto ? kInner : kOuter;

        painter.setFont(running);
        painter.setPen(Qt::black);
        const qreal headBottom = kTop - 8 * kMillimetre;
        // A long title (two long names) is cut with "…" inside the margins rather than run over them.
        painter.drawText(QRectF(left, 0, kTextWidth, headBottom),
                         Qt::AlignBottom | (recto ? Qt::AlignRight : Qt::AlignLeft),
                         QFontMetricsF(running, painter.device()).elidedText(title, Qt::ElideRight, kTextWidth));
        painter.drawLine(QPointF(left, headBottom + kMillimetre), QPointF(left + kTextWidth, headBottom + kMillimetre));
        painter.drawText(QRectF(left, kPaperHeight - kBottom + 8 * kMillimetre, kTextWidth, 8 * kMillimetre),
                         Qt::AlignTop | Qt::AlignHCenter, QStringLiteral("page %1 / %2").arg(page + 1).arg(pages));

        painter.translate(left, -page * kPaperHeight);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * kPaperHeight + kTop, kTextWidth, kPaperHeight - kTop - kBottom);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    return painter.end();
}

QByteArray pdf(const QTextDocument& document, const QString& creator)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(creator);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        if (!paint(document, writer))
            return {};
    }
    return bytes;
}

} // namespace paged

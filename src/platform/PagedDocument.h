#pragma once

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;
class QTextDocument;

// Documents the program lays out on A4 pages itself, once, and paints on any paged device (a printer, a PDF): book
// margins, mirrored from recto to verso, the document's title at the head of every page and "page n / N" at its foot.
namespace paged {

// Sets the page size, margins and layout resolution.
void setUpA4(QTextDocument& document);

// Units of the layout per point, for sizes of inline objects.
qreal unitsPerPoint();
// A length in points as margins and indents of text formats take it.
qreal formatLength(qreal points);

// A heading (a block with a heading level) never ends a page: it moves to the next page with the text it heads.
void keepHeadingsWithNext(QTextDocument& document);

// Every page in order, each scaled to the device's whole page. False when the device reports an error.
bool paint(const QTextDocument& document, QPagedPaintDevice& device);

// The document as a PDF file, titled with the document's title; empty when it could not be made.
QByteArray pdf(const QTextDocument& document, const QString& creator);

} // namespace paged

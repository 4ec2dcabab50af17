#include "platform/PrintService.h"

#include "platform/FileAccess.h"
#include "platform/PagedDocument.h"
#include "platform/TextCatalog.h"

#include <QBuffer>
#include <QFileDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace {

// The printer dialog: the whole document, no page range. False when cancelled.
bool choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    printer.setPrintRange(QPrinter::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

// The dialog's "print to a PDF file" would have Qt write the file in place: a full disk would leave a cut PDF
// instead of the earlier file. The PDF is made in memory and goes through the program's guarded write instead.
bool toPdfFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

PrintOutcome writePdf(const QPrinter& printer, const QByteArray& bytes)
{
    if (bytes.isEmpty() || fileaccess::writeWholeFile(printer.outputFileName(), bytes))
        return PrintOutcome::Failed;
    return PrintOutcome::Printed;
}

} // namespace

PrintOutcome QtPrintService::print(QWidget* parent, const QString& text, const QFont& font)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(parent, printer))
        return PrintOutcome::Cancelled;
    if (toPdfFile(printer)) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly))
            return PrintOutcome::Failed;
        {
            QPdfWriter writer(&buffer);
            writer.setPageLayout(printer.pageLayout());
            writer.setResolution(printer.resolution());
            writer.setCreator(printer.creator());
            QTextDocument document;
            document.setDefaultFont(font);
            document.setPlainText(withNewlines(text));
            document.print(&writer);
        }
        return writePdf(printer, bytes);
    }
    return printText(printer, text, font) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

PrintOutcome QtPrintService::printDocument(QWidget* parent, const QTextDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(document.metaInformation(QTextDocument::DocumentTitle));
    if (!choosePrinter(parent, printer))
        return PrintOutcome::Cancelled;
    if (toPdfFile(printer))
        return writePdf(printer, paged::pdf(document, printer.creator()));
    // The document brings its own margins; the printer's own are left to its unprintable edge.
    printer.setFullPage(true);
    if (!printer.isValid() || !paged::paint(document, printer))
        return PrintOutcome::Failed;
    return printer.printerState() == QPrinter::Error ? PrintOutcome::Failed : PrintOutcome::Printed;
}

QString QtPrintService::askSavePath(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                    const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent, caption, suggestedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtPrintService::printText(QPrinter& printer, const QString& text, const QFont& font)
{
    if (!printer.isValid())
        return false;
    QTextDocument document;
    document.setDefaultFont(font);
    document.setPlainText(withNewlines(text));
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

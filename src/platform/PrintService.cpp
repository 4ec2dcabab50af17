#include "platform/PrintService.h"

#include "platform/TextCatalog.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

PrintOutcome QtPrintService::print(QWidget* parent, const QString& text, const QFont& font)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    printer.setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return printText(printer, text, font) ? PrintOutcome::Printed : PrintOutcome::Failed;
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

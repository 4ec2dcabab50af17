#pragma once

#include <QFont>
#include <QString>

class QPrinter;
class QTextDocument;
class QWidget;

enum class PrintOutcome { Printed, Cancelled, Failed };

// Printing and the choice of a file to write go through this seam: the user chooses a printer (no page range), then
// the whole text prints; or the user names a file in the save dialog. Cancelling either dialog is no failure.
class PrintService
{
public:
    virtual ~PrintService() = default;
    // The text in one font, wrapped to the page.
    virtual PrintOutcome print(QWidget* parent, const QString& text, const QFont& font) = 0;
    // A document laid out on pages by the program (platform/PagedDocument), every page.
    virtual PrintOutcome printDocument(QWidget* parent, const QTextDocument& document) = 0;
    // The save dialog, opened on suggestedPath; it asks itself before an existing file is replaced. Empty when the
    // user cancels.
    virtual QString askSavePath(QWidget* parent, const QString& caption, const QString& suggestedPath,
                                const QString& filter, const QString& suffix) = 0;
};

class QtPrintService : public PrintService
{
public:
    PrintOutcome print(QWidget* parent, const QString& text, const QFont& font) override;
    PrintOutcome printDocument(QWidget* parent, const QTextDocument& document) override;
    QString askSavePath(QWidget* parent, const QString& caption, const QString& suggestedPath, const QString& filter,
                        const QString& suffix) override;

    // What the two commands do once the printer is chosen: the text or the document laid out on the printer's pages,
    // or, when the choice was a PDF file, made in memory and written through the guarded write, so that a failure
    // leaves the earlier file as it was.
    static PrintOutcome printText(QPrinter& printer, const QString& text, const QFont& font);
    static PrintOutcome printDocumentOn(QPrinter& printer, const QTextDocument& document);
};

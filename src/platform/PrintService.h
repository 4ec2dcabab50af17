#pragma once

#include <QFont>
#include <QString>

class QPrinter;
class QWidget;

enum class PrintOutcome { Printed, Cancelled, Failed };

// Printing goes through this seam: the user chooses a printer (no page range), then the whole text prints in one
// font, wrapped to the page.
class PrintService
{
public:
    virtual ~PrintService() = default;
    virtual PrintOutcome print(QWidget* parent, const QString& text, const QFont& font) = 0;
};

class QtPrintService : public PrintService
{
public:
    PrintOutcome print(QWidget* parent, const QString& text, const QFont& font) override;

    // Lays the text out on the printer's pages; false when the printer reports an error.
    static bool printText(QPrinter& printer, const QString& text, const QFont& font);
};

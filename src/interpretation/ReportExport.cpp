#include "interpretation/ReportExport.h"

#include "interpretation/ReportDocument.h"
#include "interpretation/ReportText.h"
#include "platform/FileAccess.h"
#include "platform/PagedDocument.h"

#include <QDir>
#include <QStandardPaths>

namespace report {

QString suggestedPath(const ShownProfile& shown)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).filePath(fileName(shown.firstName.trimmed(), shown.lastName.trimmed()));
}

std::optional<QString> exportPdf(const ShownProfile& shown, const EnneagramFigure::Marks& figure, const QDate& date,
                                 const QString& path)
{
    const QByteArray pdf = paged::pdf(*buildReport(shown, figure, date), QStringLiteral("Psyche Rondo"));
    const std::optional<QString> problem =
        pdf.isEmpty() ? std::optional<QString>(QStringLiteral("le document PDF n'a pas pu être composé"))
                      : fileaccess::writeWholeFile(path, pdf);
    if (!problem)
        return std::nullopt;
    return QStringLiteral("Le rapport «\u00a0%1\u00a0» n'a pas pu être écrit\u00a0: %2.")
        .arg(QDir::toNativeSeparators(path), *problem);
}

} // namespace report

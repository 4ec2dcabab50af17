#pragma once

#include "typology/ShownProfile.h"
#include "widgets/EnneagramFigure.h"

#include <QDate>
#include <QString>
#include <optional>

namespace report {

// Where the save dialog first proposes the report: the person's file name in the user's documents folder.
QString suggestedPath(const ShownProfile& shown);

// Lays the report out, composes its PDF and writes it to path, all or nothing. Returns what the user is told when
// it fails, naming the file and the reason.
std::optional<QString> exportPdf(const ShownProfile& shown, const EnneagramFigure::Marks& figure, const QDate& date,
                                 const QString& path);

} // namespace report

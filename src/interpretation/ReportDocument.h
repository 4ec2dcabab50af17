#pragma once

#include "interpretation/ReportInput.h"
#include "widgets/EnneagramFigure.h"

#include <QTextDocument>
#include <memory>

// The complete report as one document laid out on A4 pages: a title page, the profile (bar chart, figure, the
// "Détails" values and how clear the result is), then the analyses with the lines the interpretation window shows
// for them. Printed and written as PDF from the same layout.
std::unique_ptr<QTextDocument> buildReport(const ReportInput& input, const EnneagramFigure::Marks& figure);

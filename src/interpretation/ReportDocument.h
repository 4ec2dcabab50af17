#pragma once

#include "typology/ShownProfile.h"
#include "widgets/EnneagramFigure.h"

#include <QDate>
#include <QTextDocument>
#include <memory>

// The complete report as one document laid out on A4 pages: a title page, the profile (bar chart, figure, the
// "Détails" values and how clear the result is), then the analyses with the lines the interpretation window shows
// for them. Printed and written as PDF from the same layout. `figure` holds the marks the "Détails" figure shows.
std::unique_ptr<QTextDocument> buildReport(const ShownProfile& shown, const EnneagramFigure::Marks& figure,
                                           const QDate& date);

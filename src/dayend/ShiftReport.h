#pragma once

#include "dayend/ShiftFigures.h"
#include "posting/RenderedDocument.h"

#include <QByteArray>
#include <vector>

namespace vanta::dayend {

// One row of an X or Z report: a heading, or a label with a count and an
// amount (either may be empty). The printed report on paper of any kind is
// made of these rows.
struct ReportRow {
    QString heading;
    QString label;
    QString count;
    QString amount;
};

// "X Report", "Z Report 12", "Z Report 12 (COPY)".
QString shiftReportTitle(const ShiftFigures &f, bool copy);
// The times and people of the report: register, opened, printed or closed.
QStringList shiftReportHeader(const ShiftFigures &f);
std::vector<ReportRow> shiftReportRows(const ShiftFigures &f);

// On a receipt printer of the paper width (58 or 80 mm).
QByteArray escPosShiftReport(const ShiftFigures &f, bool copy, int paperMm);
// On the page, through the report layout at `layoutPath`
// ("shiftreport.rpt"). Throws VantaError for a missing or broken layout.
posting::RenderedDocument shiftReportDocument(const ShiftFigures &f, bool copy, const QString &layoutPath);

} // namespace vanta::dayend

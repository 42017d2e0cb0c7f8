#pragma once

#include <QString>

namespace vanta::platform {
class ProfileFile;
}

namespace vanta::posting {

// How reports are presented, per employee (kept in Users.ini).
struct ReportSettings {
    int destination = 0;   // 0 display on screen, 1 print to printer
    int reportDisplay = 0; // 0 normal, 1 minimized, 2 maximized
    int windowDisplay = 0; // 0 normal, 1 minimized
    bool alwaysOnTop = true;
};

// The report settings kept in Users.ini under the employee's name. Each value
// counts by its first character only: the three numbers are that digit (0
// when it is not one); "Always on Top" is "1" or "0". Missing keys give
// 0, 0, 0 and always on top. At start-up always on top is not read but set;
// at logon it is read too.
ReportSettings LoadReportSettings(platform::ProfileFile &profile, const QString &employeeName, bool atLogon);

// Stores the four settings under the employee's name: the numbers as decimal
// text, always on top as "1" or "0". Throws VantaError when the file cannot
// be written.
void SaveReportSettings(platform::ProfileFile &profile, const QString &employeeName, const ReportSettings &settings);

} // namespace vanta::posting

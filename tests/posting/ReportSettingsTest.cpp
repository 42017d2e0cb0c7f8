#include "posting/ReportSettings.h"

#include "platform/ProfileFile.h"
#include "security/SecurityFixture.h"

#include <QFile>

using namespace vanta;
using namespace vanta::posting;

using ReportSettingsLoad = test::SecurityTest;

namespace {

void expectSettings(const ReportSettings &s, int destination, int reportDisplay, int windowDisplay, bool onTop)
{
    EXPECT_EQ(s.destination, destination);
    EXPECT_EQ(s.reportDisplay, reportDisplay);
    EXPECT_EQ(s.windowDisplay, windowDisplay);
    EXPECT_EQ(s.alwaysOnTop, onTop);
}

} // namespace

TEST_F(ReportSettingsLoad, MissingFileOrSectionGivesTheDefaults)
{
    platform::ProfileFile &users = session.users;
    ASSERT_FALSE(QFile::exists(users.path()));
    expectSettings(LoadReportSettings(users, "Ann B Cole", true), 0, 0, 0, true);

    users.writeString("Someone Else", "Destination", "1");
    users.writeString("Someone Else", "Always on Top", "0");
    expectSettings(LoadReportSettings(users, "Ann B Cole", true), 0, 0, 0, true);
    expectSettings(LoadReportSettings(users, "Ann B Cole", false), 0, 0, 0, true);
}

TEST_F(ReportSettingsLoad, OnlyTheFirstCharacterCounts)
{
    platform::ProfileFile &users = session.users;
    users.writeString("Ann B Cole", "Destination", "12"); // two digits read as the first
    users.writeString("Ann B Cole", "Report Display", "x2"); // not a digit: 0
    users.writeString("Ann B Cole", "Window Display", "");
    users.writeString("Ann B Cole", "Always on Top", "0");
    expectSettings(LoadReportSettings(users, "Ann B Cole", true), 1, 0, 0, false);
    // Section names match in any case.
    expectSettings(LoadReportSettings(users, "ANN B COLE", true), 1, 0, 0, false);

    users.writeString("Ann B Cole", "Report Display", "2");
    users.writeString("Ann B Cole", "Window Display", "1");
    for (const auto &[stored, onTop] : QList<std::pair<QString, bool>>{{"1", true}, {"10", true}, {"01", false},
                                                                         {"", true}, {"y", true}}) {
        users.writeString("Ann B Cole", "Always on Top", stored);
        expectSettings(LoadReportSettings(users, "Ann B Cole", true), 1, 2, 1, onTop);
    }
}

TEST_F(ReportSettingsLoad, StartUpReadsTheNameGivenAndKeepsTheWindowOnTop)
{
    // Settings saved while nobody was logged on live under "None".
    session.users.writeString("None", "Destination", "1");
    session.users.writeString("None", "Report Display", "2");
    session.users.writeString("None", "Always on Top", "0");
    expectSettings(LoadReportSettings(session.users, "None", false), 1, 2, 0, true);
    expectSettings(LoadReportSettings(session.users, "Ann B Cole", false), 0, 0, 0, true);
}

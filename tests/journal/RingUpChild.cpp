// Rings up a sale on the register (the demo store of the data folder given,
// the settings and journal in the config folder given), one change at a
// time from a seed, printing the number of each change once it is made,
// then waits to be killed.
#include "diagnostics/Trace.h"
#include "journal/RingUp.h"
#include "platform/PromptNotices.h"
#include "platform/SettingsStore.h"
#include "register/RegisterSession.h"
#include "security/SecuritySwitch.h"
#include "support/MachineSpeedKeys.h"
#include "support/ShiftAtLogon.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

using namespace vanta;

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: vanta_ringup_child <data folder> <config folder> <seed> <changes>\n");
        return 2;
    }
    const QString config = QString::fromLocal8Bit(argv[2]);
    test::ScriptedPrompt prompt;
    platform::PromptNotices notices(prompt);
    diag::Trace::instance().setNotices(&notices);
    test::ScriptedDialogRunner dialogs;
    platform::SettingsStore settings(config);
    security::SaveSecurity(settings, false);
    test::typeAtMachineSpeed(settings);
    test::noShiftAtLogon(settings);
    RegisterSession session(prompt, dialogs, settings, config + "/Users.ini");
    frmPOS pos(session, QString::fromLocal8Bit(argv[1]));
    pos.Form_Load();
    pos.show();
    QApplication::setActiveWindow(&pos);
    if (!session.hasStore()) {
        std::fprintf(stderr, "no store: %s\n", qPrintable(prompt.texts().join(" / ")));
        return 1;
    }
    std::printf("ready %d\n", session.sale.number());
    std::fflush(stdout);
    test::ringup::RingUp ringUp(pos, session.sale.lines(), dialogs, unsigned(std::strtoul(argv[3], nullptr, 10)));
    const int changes = std::atoi(argv[4]);
    for (int i = 1; i <= changes; ++i) {
        ringUp.step();
        std::printf("%d\n", i);
        std::fflush(stdout);
    }
    // Done: wait for the kill.
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
    }
    return 0;
}

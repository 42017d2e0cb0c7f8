#pragma once

#include "diagnostics/Trace.h"
#include "platform/SettingsStore.h"
#include "platform_ui/QtDialogRunner.h"
#include "platform_ui/QtPrompt.h"
#include "register/RegisterSession.h"
#include "register/frmPOS.h"
#include "security/SecuritySwitch.h"
#include "storegen/DemoStore.h"
#include "support/ShiftAtLogon.h"
#include "support/TempStore.h"
#include "x11/XdoTool.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace vanta::test {

// The register on the demo store with the program's own boxes and dialogs,
// on an X server; keys come from xdotool.
class RealRegisterTest : public ::testing::Test {
protected:
    RealRegisterTest()
        : settings(config.filePath("settings")), session(prompt, dialogs, settings, config.filePath("Users.ini"))
    {
        storegen::fillDemoStore(ts.db());
        noShiftAtLogon(settings);
        diag::Trace::instance().reset();
    }
    ~RealRegisterTest() override { diag::Trace::instance().reset(); }

    void open()
    {
        security::SaveSecurity(settings, false);
        pos = std::make_unique<frmPOS>(session, ts.path());
        pos->Form_Load();
        pos->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pos.get()));
        focus(pos.get());
    }
    // The window gets the keyboard, as a click on it would give it.
    static void focus(QWidget *window)
    {
        ASSERT_EQ(xdotool({"windowfocus", "--sync", QString::number(window->winId())}), 0);
        QTRY_VERIFY(window->isActiveWindow());
    }

    TempStore ts;
    QTemporaryDir config;
    platform::QtPrompt prompt;
    platform::QtDialogRunner dialogs;
    platform::SettingsStore settings;
    RegisterSession session;
    std::unique_ptr<frmPOS> pos;
};

} // namespace vanta::test

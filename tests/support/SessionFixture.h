#pragma once

#include "diagnostics/Trace.h"
#include "platform/PromptNotices.h"
#include "platform/SettingsStore.h"
#include "register/RegisterSession.h"
#include "support/ScriptedDialogRunner.h"
#include "support/ScriptedPrompt.h"
#include "support/ShiftAtLogon.h"
#include "support/TempStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vanta::test {

// A register session over its own store (empty until a test fills it),
// settings folder and Users.ini, with scripted boxes and dialogs. The
// procedure trace starts afresh (trapping off, so failures reach the test)
// and reports through the scripted prompt.
class SessionTest : public ::testing::Test {
protected:
    SessionTest()
    {
        diag::Trace::instance().reset();
        diag::Trace::instance().setNotices(&notices);
        noShiftAtLogon(settings);
    }
    ~SessionTest() override
    {
        diag::Trace::instance().reset();
        // Every dialog a test ran names the fields a person types into.
        EXPECT_TRUE(dialogs.unnamedFields().isEmpty()) << dialogs.unnamedFields().join(", ").toStdString();
    }

    TempStore ts;
    QTemporaryDir config;
    ScriptedPrompt prompt;
    platform::PromptNotices notices{prompt};
    ScriptedDialogRunner dialogs;
    platform::SettingsStore settings{config.filePath("settings")};
    RegisterSession session{prompt, dialogs, settings, config.filePath("Users.ini")};
};

} // namespace vanta::test

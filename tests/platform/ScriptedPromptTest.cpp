#include "platform/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace vanta::platform;

TEST(ScriptedPrompt, AnswersFromQueuesAndRecords)
{
    ScriptedPrompt p;
    p.answer(Answer::No).answerInput("Ann").cancelInput().answerOpenFile("/data/vanta.mdb");

    EXPECT_EQ(p.message("Delete it?", Buttons::YesNo, Icon::Question, ""), Answer::No);
    EXPECT_EQ(p.input("Name?", "Customer", "x"), std::optional<QString>("Ann"));
    EXPECT_EQ(p.input("Again?", "Customer"), std::nullopt);
    EXPECT_EQ(p.openFile("Find", "Store (*.mdb)", "/data"), std::optional<QString>("/data/vanta.mdb"));
    EXPECT_EQ(p.pending(), 0);
    EXPECT_FALSE(p.ranDry());

    ASSERT_EQ(p.count(), 4);
    const PromptRequest &box = p.requests()[0];
    EXPECT_EQ(box.kind, PromptRequest::Kind::Message);
    EXPECT_EQ(box.title, "Vanta! POS"); // no title of its own: the application's
    EXPECT_EQ(box.icon, Icon::Question);
    EXPECT_EQ(box.buttons, Buttons::YesNo);
    EXPECT_EQ(p.requests()[1].defaultText, "x");
    EXPECT_EQ(p.requests()[1].title, "Customer");
    EXPECT_EQ(p.last().filter, "Store (*.mdb)");
    EXPECT_EQ(p.last().folder, "/data");
    EXPECT_EQ(p.texts(), QStringList({"Delete it?", "Name?", "Again?"}));
}

TEST(ScriptedPrompt, RunningDryTakesDefaultsAndSaysSo)
{
    ScriptedPrompt p;
    EXPECT_EQ(p.message("a", Buttons::OkCancel, Icon::None, "T"), Answer::Ok);
    EXPECT_EQ(p.message("b", Buttons::YesNoCancel, Icon::None, "T"), Answer::Yes);
    EXPECT_EQ(p.message("c", Buttons::RetryCancel, Icon::None, "T"), Answer::Retry);
    EXPECT_EQ(p.input("d", "T"), std::nullopt);
    EXPECT_EQ(p.openFile("e", "", ""), std::nullopt);
    EXPECT_TRUE(p.ranDry());
    for (const auto &r : p.requests())
        EXPECT_TRUE(r.ranDry);

    p.beep();
    EXPECT_EQ(p.beeps(), 1);
    p.clearRecord();
    EXPECT_EQ(p.count(), 0);
    EXPECT_FALSE(p.ranDry());
    EXPECT_THROW(p.last(), std::out_of_range);
}

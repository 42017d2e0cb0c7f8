#include "diagnostics/Trace.h"
#include "platform/PromptNotices.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace vanta;
using diag::Trace;

namespace {

class RecordingView : public diag::ErrorReportView {
public:
    void showReport(const diag::ErrorRecord &r) override
    {
        shown << r;
        if (onShow)
            onShow();
    }
    QList<diag::ErrorRecord> shown;
    std::function<void()> onShow;
};

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Trace::instance().reset();
        Trace::instance().setNotices(&notices);
        Trace::instance().setTrappingEnabled(true);
    }
    void TearDown() override { Trace::instance().reset(); }
    test::ScriptedPrompt prompt;
    platform::PromptNotices notices{prompt};
};

int failingCallee()
{
    diag::ProcGuard g("modPOS", "GetPrice");
    throw VantaError(3021, "No current record.", "Vanta store database");
}

} // namespace

TEST_F(TraceTest, TrapRecordsOriginAndTrapThenCallerCarriesOn)
{
    RecordingView view;
    Trace::instance().setReportView(&view);
    diag::ProcGuard outer("frmPOS", "Add_Item");
    const int result = diag::run("frmPOS", "Update_Display", 42, [] { return failingCallee(); });
    EXPECT_EQ(result, 42);

    ASSERT_EQ(view.shown.size(), 1);
    const diag::ErrorRecord &r = view.shown.front();
    EXPECT_EQ(QStringList({QString::number(r.number), r.explanation, r.origin, r.trap, r.stack, r.application}),
              QStringList({"3021", "No current record. [Source=Vanta store database]", "modPOS(GetPrice)",
                           "frmPOS(Update_Display)", "frmPOS(Add_Item),frmPOS(Update_Display),modPOS(GetPrice)",
                           "Vanta! POS"}));
    // Both the callee and the trapping procedure are gone; the caller remains.
    EXPECT_EQ(Trace::instance().entries(), QStringList{"frmPOS(Add_Item)"});
    EXPECT_EQ(prompt.count(), 0); // no out-of-sync warning on the way out
}

TEST_F(TraceTest, WithoutReportViewAPlainBoxShowsNumberAndExplanation)
{
    diag::run("modPOS", "GetID", [] { throw VantaError(6, "", "x"); });
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, "Error 6:  [Source=x]");
    EXPECT_EQ(prompt.last().icon, platform::Icon::Critical);

    Trace::instance().trapError(5, "", "modPOS", "Nowhere");
    EXPECT_EQ(Trace::instance().lastError().explanation, "<none>");
    EXPECT_EQ(Trace::instance().lastError().trap, "");
}

TEST_F(TraceTest, ReportNeverShownTwiceAtOnce)
{
    RecordingView view;
    Trace::instance().setReportView(&view);
    view.onShow = [] {
        // An error raised while the report is open is recorded only.
        diag::run("frmFind", "FillLVAll", [] { throw VantaError(7, "Out of memory", "x"); });
        EXPECT_EQ(Trace::instance().lastError().number, 7);
    };
    diag::run("frmPOS", "cmdAdd_Click", [] { throw VantaError(11, "Division by zero", "x"); });
    EXPECT_EQ(view.shown.size(), 1);
    EXPECT_FALSE(Trace::instance().reportShowing());
    EXPECT_EQ(Trace::instance().depth(), 0);
}

TEST_F(TraceTest, TrappingOffLetsFailuresPropagateAndStillPops)
{
    Trace::instance().setTrappingEnabled(false);
    EXPECT_THROW(diag::run("modPOS", "GetPrice", 0.0, [] { return double(failingCallee()); }), VantaError);
    EXPECT_EQ(Trace::instance().depth(), 0);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(TraceTest, OutOfSyncWarningAndResync)
{
    Trace &t = Trace::instance();
    t.enter("frmPOS", "Form_Load");
    t.enter("frmFind", "FillLVAll");
    // An exit of a procedure that is not on the stack: warn, change nothing.
    t.exit("modPOS", "GetID");
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().box(),
              "- Quorl Warning - [Exclamation] Quorl's procedure stack is out of sync.  Check the following "
              "procedures for improperly paired PUSH_PROC and POP_PROC commands.\n\nLast Push:\nfrmFind(FillLVAll)"
              "\n\nThis Pop:\nmodPOS(GetID)\n\nA re-sync will be attempted.");
    EXPECT_EQ(prompt.beeps(), 1);
    EXPECT_EQ(t.depth(), 2);

    // An exit of a lower procedure drops it and everything above it.
    t.exit("frmPOS", "Form_Load");
    EXPECT_EQ(t.depth(), 0);
    // An exit with an empty stack is ignored.
    t.exit("frmPOS", "Form_Load");
    EXPECT_EQ(t.depth(), 0);
    EXPECT_EQ(prompt.count(), 2);
}

TEST_F(TraceTest, DeepStacksKeepEveryEntryAndUnwind)
{
    Trace &t = Trace::instance();
    for (int i = 1; i <= 20; ++i)
        t.enter("mod", QString("P%1").arg(i));
    EXPECT_EQ(t.entries().size(), 20);
    EXPECT_EQ(t.entries().first(), "mod(P1)");
    EXPECT_EQ(t.entries().last(), "mod(P20)");

    qint16 code = diag::ListEntries;
    qint32 n = 0;
    QString d, m, p;
    t.QuorlAction(code, n, d, m, p);
    EXPECT_TRUE(d.startsWith("mod(P1),mod(P2)"));
    code = diag::UnwindTo;
    m = "mod";
    p = "P3";
    t.QuorlAction(code, n, d, m, p);
    EXPECT_EQ(t.depth(), 3);
}

#include "platform/DialogRunner.h"

#include <QDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace vanta::platform;

TEST(ScriptedDialogRunner, ScriptDrivesTheShownDialog)
{
    ScriptedDialogRunner runner;
    QDialog dlg;
    dlg.setWindowTitle("Report Options");
    auto *edit = new QLineEdit(&dlg);
    int finished = -1;
    QObject::connect(&dlg, &QDialog::finished, [&](int r) { finished = r; });

    runner.then([&](QDialog &d) {
        EXPECT_TRUE(d.isVisible());
        edit->setText("typed");
        d.accept();
        return d.result();
    });
    EXPECT_EQ(runner.run(dlg), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(edit->text(), "typed");

    // A dialog the script leaves open is closed with the script's answer.
    runner.then([](QDialog &) { return 7; });
    EXPECT_EQ(runner.run(dlg), 7);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(finished, 7);

    // No script left: rejected without being shown.
    EXPECT_EQ(runner.run(dlg), QDialog::Rejected);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(runner.dryRuns(), 1);
    EXPECT_EQ(runner.titles(), QStringList({"Report Options", "Report Options", "Report Options"}));
}

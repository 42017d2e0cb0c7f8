#include "posting/frmReportOptions.h"

#include "posting/ReportSettings.h"
#include "security/SecurityFixture.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vanta;

class frmReportOptionsTest : public test::SecurityTest {
protected:
    template <typename W>
    W *child(const char *name)
    {
        W *w = dlg->findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Clicks the buttons in turn.
    void click(std::initializer_list<const char *> names)
    {
        for (const char *name : names)
            QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton);
    }
    void open()
    {
        dlg = std::make_unique<frmReportOptions>(session.reportSettings, session.users,
                                                 session.identity.employeeName);
        dlg->show();
    }
    QString stored(const char *key) { return session.users.readString(session.identity.employeeName, key, "-", 10); }

    std::unique_ptr<frmReportOptions> dlg;
};

TEST_F(frmReportOptionsTest, OpensOnTheCurrentSettingsWithOkDisabledUntilAChange)
{
    session.reportSettings = {1, 2, 1, false};
    open();
    EXPECT_EQ(dlg->windowTitle(), "Report Options");
    QStringList captions;
    for (const char *frame : {"fraDestination", "fraReportDisplay", "fraWindowDisplay", "fraOptions"})
        captions << child<QGroupBox>(frame)->title();
    for (const char *button : {"optDest0", "optDest1", "optReportDisplay2", "optWindowDisplay1", "chkDefault", "cmdOk",
                               "cmdCancel"})
        captions << child<QAbstractButton>(button)->text();
    EXPECT_EQ(captions, QStringList({"Destination", "Report Display", "Window Display", "Options", "Display on Screen",
                                     "Print to Printer", "Maximized", "Minimized", "Set as Default", "&Ok", "&Cancel"}));
    EXPECT_EQ(child<QCheckBox>("chkDefault")->toolTip(), "Use these settings next time you log on");

    for (const char *on : {"optDest1", "optReportDisplay2", "optWindowDisplay1"})
        EXPECT_TRUE(child<QAbstractButton>(on)->isChecked()) << on;
    for (const char *off : {"chkAlwaysOnTop", "chkDefault"})
        EXPECT_FALSE(child<QAbstractButton>(off)->isChecked()) << off;
    EXPECT_FALSE(child<QPushButton>("cmdOk")->isEnabled());

    // Any option or either check box enables OK.
    for (const char *name : {"optDest0", "optReportDisplay0", "optWindowDisplay0", "chkAlwaysOnTop", "chkDefault"}) {
        open();
        click({name});
        EXPECT_TRUE(child<QPushButton>("cmdOk")->isEnabled()) << name;
    }
}

TEST_F(frmReportOptionsTest, SetAsDefaultStoresTheSettingsUnderTheEmployeeName)
{
    session.identity.employeeName = "Dana K Morgan";
    open();
    click({"optDest1", "optReportDisplay1", "chkAlwaysOnTop" /* unchecks */, "chkDefault", "cmdOk"});
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(QStringList({stored("Destination"), stored("Report Display"), stored("Window Display"),
                           stored("Always on Top")}),
              QStringList({"1", "1", "0", "0"}));
    EXPECT_EQ(session.reportSettings.destination, 1);
    EXPECT_EQ(session.reportSettings.reportDisplay, 1);
    EXPECT_FALSE(session.reportSettings.alwaysOnTop);
    // The next logon of the same name reads them back.
    const posting::ReportSettings next = posting::LoadReportSettings(session.users, "Dana K Morgan", true);
    EXPECT_EQ(next.destination, 1);
    EXPECT_FALSE(next.alwaysOnTop);

    // Nobody logged on: the section "None", which start-up reads.
    session.identity.employeeName = "None";
    open();
    click({"optWindowDisplay1", "chkDefault", "cmdOk"});
    EXPECT_EQ(QStringList({stored("Window Display"), stored("Always on Top")}), QStringList({"1", "0"}));
}

TEST_F(frmReportOptionsTest, WithoutSetAsDefaultOnlyTheSessionChangesAndCancelChangesNothing)
{
    session.identity.employeeName = "Sam T Rivera";
    open();
    click({"optDest1", "optReportDisplay2", "cmdOk"});
    EXPECT_FALSE(QFile::exists(session.users.path()));
    EXPECT_EQ(session.reportSettings.destination, 1);
    EXPECT_EQ(session.reportSettings.reportDisplay, 2);
    EXPECT_TRUE(session.reportSettings.alwaysOnTop);

    open();
    click({"optDest0", "optWindowDisplay1", "chkDefault", "cmdCancel"});
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(session.users.path()));
    EXPECT_EQ(session.reportSettings.destination, 1);
    EXPECT_EQ(session.reportSettings.windowDisplay, 0);
}

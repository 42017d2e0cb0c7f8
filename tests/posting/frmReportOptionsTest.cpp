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
    void click(const char *name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
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
    EXPECT_EQ(child<QGroupBox>("fraDestination")->title(), "Destination");
    EXPECT_EQ(child<QGroupBox>("fraReportDisplay")->title(), "Report Display");
    EXPECT_EQ(child<QGroupBox>("fraWindowDisplay")->title(), "Window Display");
    EXPECT_EQ(child<QGroupBox>("fraOptions")->title(), "Options");
    EXPECT_EQ(child<QRadioButton>("optDest0")->text(), "Display on Screen");
    EXPECT_EQ(child<QRadioButton>("optDest1")->text(), "Print to Printer");
    EXPECT_EQ(child<QRadioButton>("optReportDisplay2")->text(), "Maximized");
    EXPECT_EQ(child<QRadioButton>("optWindowDisplay1")->text(), "Minimized");
    EXPECT_EQ(child<QCheckBox>("chkDefault")->text(), "Set as Default");
    EXPECT_EQ(child<QCheckBox>("chkDefault")->toolTip(), "Use these settings next time you log on");
    EXPECT_EQ(child<QPushButton>("cmdOk")->text(), "&Ok");
    EXPECT_EQ(child<QPushButton>("cmdCancel")->text(), "&Cancel");

    EXPECT_TRUE(child<QRadioButton>("optDest1")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optReportDisplay2")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optWindowDisplay1")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chkAlwaysOnTop")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chkDefault")->isChecked());
    EXPECT_FALSE(child<QPushButton>("cmdOk")->isEnabled());

    // Any option or either check box enables OK.
    for (const char *name : {"optDest0", "optReportDisplay0", "optWindowDisplay0", "chkAlwaysOnTop", "chkDefault"}) {
        open();
        click(name);
        EXPECT_TRUE(child<QPushButton>("cmdOk")->isEnabled()) << name;
    }
}

TEST_F(frmReportOptionsTest, SetAsDefaultStoresTheSettingsUnderTheEmployeeName)
{
    session.identity.employeeName = "Dana K Morgan";
    open();
    click("optDest1");
    click("optReportDisplay1");
    click("chkAlwaysOnTop"); // unchecks
    click("chkDefault");
    click("cmdOk");
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(stored("Destination"), "1");
    EXPECT_EQ(stored("Report Display"), "1");
    EXPECT_EQ(stored("Window Display"), "0");
    EXPECT_EQ(stored("Always on Top"), "0");
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
    click("optWindowDisplay1");
    click("chkDefault");
    click("cmdOk");
    EXPECT_EQ(stored("Window Display"), "1");
    EXPECT_EQ(stored("Always on Top"), "0");
}

TEST_F(frmReportOptionsTest, WithoutSetAsDefaultOnlyTheSessionChangesAndCancelChangesNothing)
{
    session.identity.employeeName = "Sam T Rivera";
    open();
    click("optDest1");
    click("optReportDisplay2");
    click("cmdOk");
    EXPECT_FALSE(QFile::exists(session.users.path()));
    EXPECT_EQ(session.reportSettings.destination, 1);
    EXPECT_EQ(session.reportSettings.reportDisplay, 2);
    EXPECT_TRUE(session.reportSettings.alwaysOnTop);

    open();
    click("optDest0");
    click("optWindowDisplay1");
    click("chkDefault");
    click("cmdCancel");
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(session.users.path()));
    EXPECT_EQ(session.reportSettings.destination, 1);
    EXPECT_EQ(session.reportSettings.windowDisplay, 0);
}

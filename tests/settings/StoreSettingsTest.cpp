#include "settings/clsCompany.h"
#include "settings/clsPop3Settings.h"
#include "settings/frmMailSettings.h"
#include "settings/modInternetConnect.h"
#include "settings/ErrorReport.h"

#include "platform/SettingsStore.h"
#include "storegen/DemoStore.h"
#include "support/Files.h"
#include "support/ScriptedPrompt.h"
#include "support/TempStore.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace vanta;

namespace {

class StoreSettingsTest : public ::testing::Test {
protected:
    StoreSettingsTest() { storegen::fillDemoStore(ts.db()); }
    db::Store &store() { return *ts.store; }
    QVariantList mailRow()
    {
        db::Recordset rs = ts.db().openQuery(
            QStringLiteral("SELECT HostName, UserName, Password, Email, MailPort, SMTP FROM Pop3Settings"));
        QVariantList row;
        if (!rs.eof())
            for (int i = 0; i < 6; ++i)
                row << rs.field(i);
        return row;
    }
    test::TempStore ts;
};

} // namespace

TEST_F(StoreSettingsTest, MailSettingsTableMadeWhenMissingAndStoredWhole)
{
    ASSERT_FALSE(ts.db().tableExists("Pop3Settings"));
    settings::clsPop3Settings mail(store());
    EXPECT_TRUE(ts.db().tableExists("Pop3Settings"));
    EXPECT_EQ(ts.db().connection().tableColumns("Pop3Settings"),
              QStringList({"HostName", "UserName", "Password", "Email", "MailPort", "SMTP"}));
    EXPECT_EQ(mailRow(), QVariantList({"", "", "", "", 110, ""}));
    EXPECT_EQ(mail.MailPort(), 110);
    EXPECT_FALSE(mail.SettingsPresent());

    // Each setter stores the whole record; port 0 is stored as 110.
    mail.setHostName("pop.corner.example");
    mail.setUserName("till1");
    EXPECT_TRUE(mail.SettingsPresent());
    mail.setPassword("s3cret's;%");
    mail.setEMAIL("till@corner.example");
    mail.setSMTP("smtp.corner.example");
    mail.setMailPort(0);
    EXPECT_EQ(mailRow(), QVariantList({"pop.corner.example", "till1", "s3cret's;%", "till@corner.example", 110,
                                       "smtp.corner.example"}));
    mail.setMailPort(587);
    settings::clsPop3Settings again(store());
    EXPECT_EQ(again.MailPort(), 587);
    EXPECT_EQ(again.Password(), "s3cret's;%");
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM Pop3Settings").toInt(), 1);

    // A table whose row was removed gets one again on the next store.
    ts.db().execute("DELETE FROM Pop3Settings");
    settings::clsPop3Settings empty(store());
    EXPECT_EQ(empty.SMTP(), "");
    empty.setSMTP("mail.example");
    EXPECT_EQ(mailRow().mid(4), QVariantList({110, "mail.example"}));
}

TEST_F(StoreSettingsTest, CompanyFieldsFollowTheirShowFlags)
{
    settings::clsCompany company(store());
    // Show fax is false.
    EXPECT_EQ(QStringList({company.Name(), company.EMAIL(), company.URL(), company.Phone(), company.Fax(),
                           company.Zip(), company.Description(), company.Title()}),
              QStringList({"Vanta Corner Store", "orders@vantacorner.example", "www.vantacorner.example",
                           "(217) 555-0142", "", "62701", "Hardware, groceries and garden supplies since 1987", ""}));

    ts.db().execute("UPDATE Company SET \"show phone\" = 0, \"show city\" = NULL, Description = NULL");
    company.Refresh(false);
    // A null flag (the city's) counts as false.
    EXPECT_EQ(QStringList({company.Phone(), company.City(), company.Description()}), QStringList({"", "", ""}));
    company.Refresh(true);
    EXPECT_EQ(QStringList({company.Phone(), company.City(), company.Fax()}),
              QStringList({"(217) 555-0142", "Springfield", "(217) 555-0143"}));
}

TEST(ConnectionCheckTest, DefaultRouteMeansConnected)
{
    QTemporaryDir dir;
    const auto write = [&](const char *name, const QByteArray &text) {
        test::writeFile(dir.filePath(name), text);
        return dir.filePath(name);
    };
    const QString header = write("v4none", "Iface\tDestination\tGateway \tFlags\n"
                                           "eth0\t000200C0\t00000000\t0001\n");
    const QString v4default = write("v4", "Iface\tDestination\tGateway \tFlags\n"
                                          "eth0\t00000000\t010200C0\t0003\n");
    const QString v6lo = write("v6lo", "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                                       "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200 lo\n");
    const QString v6default = write("v6", "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                                          "fd000000000000000000000000000001 00000400 00000002 00000000 00000003 eth0\n");
    EXPECT_TRUE(settings::hasDefaultRoute(v4default, v6lo));
    EXPECT_TRUE(settings::hasDefaultRoute(header, v6default));
    EXPECT_FALSE(settings::hasDefaultRoute(header, v6lo));
    EXPECT_FALSE(settings::hasDefaultRoute(dir.filePath("missing"), dir.filePath("missing")));
    // A mail server on this machine needs no network.
    for (const char *host : {"127.0.0.1", "localhost"})
        EXPECT_EQ(settings::InternetConnect(host), settings::AlreadyConnected) << host;
    for (int state : {1, 2, 3, 4})
        EXPECT_EQ(settings::isConnected(state), state <= 2) << state;
}

TEST_F(StoreSettingsTest, MailSettingsDialogStoresAccountAndHidesPassword)
{
    QTemporaryDir config;
    platform::SettingsStore userSettings(config.path());
    test::ScriptedPrompt prompt;
    {
        settings::clsPop3Settings mail(store());
        mail.setPassword("old-pass");
    }
    frmMailSettings dlg(store(), userSettings, prompt);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Mail Settings");
    EXPECT_EQ(dlg.txtPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dlg.txtPassword->displayText().contains("old-pass"), false);
    EXPECT_EQ(dlg.txtSupport->text(), settings::ErrorReport::DefaultSupportAddress);
    EXPECT_EQ(dlg.txtMailPort->value(), 110);

    dlg.txtSMTP->setText("smtp.corner.example");
    dlg.txtMailPort->setValue(587);
    dlg.txtUserName->setText("till1");
    dlg.txtPassword->clear();
    QTest::keyClicks(dlg.txtPassword, "n3w\"pass;");
    dlg.txtEmail->setText("till at corner");
    dlg.cmdOK_Click();
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, "The e-mail address \"till at corner\" is not valid. Enter it like name@example.com.");
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(mailRow()[5], ""); // nothing stored yet

    dlg.txtEmail->setText("till@corner.example");
    dlg.txtSupport->setText("help@vendor.example");
    dlg.cmdOK_Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(mailRow(), QVariantList({"", "till1", "n3w\"pass;", "till@corner.example", 587, "smtp.corner.example"}));
    EXPECT_EQ(settings::ErrorReport::supportAddress(userSettings), "help@vendor.example");
    // The columns hold 50 characters: the boxes take no more.
    EXPECT_EQ(dlg.txtSMTP->maxLength(), 50);
}

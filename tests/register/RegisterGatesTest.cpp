// Every permission-gated button and menu of the register reaches its
// command: with security on, each is refused with its message.
#include "register/RegisterFixture.h"
#include "support/LogonScript.h"

#include <QAction>
#include <QDialog>

using namespace vanta;
using platform::Answer;
using platform::Icon;

namespace {

struct GateCase {
    const char *name;
    const char *refusal;
    const char *title;
};

} // namespace

class RegisterGates : public test::RegisterTest {
protected:
    // Opens the register with security on and logs the employee on through
    // the logon dialog, as a cashier would.
    void openAs(const QString &number, const QString &password)
    {
        dialogs.then([number, password](QDialog &dlg) { return test::logOnWith(dlg, number, password); });
        open(true);
        ASSERT_TRUE(session.loggedOn());
    }

    // Runs each command once; returns the texts of the boxes it raised.
    void runCommand(const QString &name)
    {
        prompt.clearRecord();
        if (name == "cmdAdd" || name == "cmdCancel" || name == "cmdRemove" || name == "cmdShipping"
            || name == "cmdProcessTransaction" || name == "cmdEdit") {
            if (name == "cmdRemove")
                selectRow(0);
            QPushButton *b = button(name.toLatin1().constData());
            b->setEnabled(true);
            QTest::mouseClick(b, Qt::LeftButton);
        } else if (name == "price") {
            QTest::mouseDClick(pos->row(0)->findChild<QLineEdit *>("txtPrice"), Qt::LeftButton);
        } else {
            pos->findChild<QAction *>(name)->trigger();
        }
    }
};

TEST_F(RegisterGates, SecurityOnRefusesEveryGatedCommandWithItsMessage)
{
    openAs("3", "trainee"); // an employee without a permissions row
    EXPECT_EQ(pos->windowTitle(), "Vanta! POS - Lee  Chen");
    pos->Add_Item(sale::Good::item(1001)); // scanning is not gated
    const QList<GateCase> cases{
        {"cmdAdd", "You do not have permission to add items to sale.", "Vanta! POS"},
        {"cmdCancel", "You do not have permissions to cancel a sale.", "Vanta! POS"},
        {"cmdRemove", "You do not have permissions to remove any items from the current sale.", "Vanta! POS"},
        {"cmdShipping", "You do not have permissions to add shipping to current sale.", "Vanta! POS"},
        {"cmdProcessTransaction", "You do not have permisssions to process a sale.", "Vanta! POS"},
        {"cmdEdit", "You do not have permission to edit customer records.", "Vanta! POS"},
        {"price", "You do not have the proper permissions to edit prices.", "Vanta! POS"},
        {"mnuChangeDatabaseLocation", "You do not have permissions to perform database utilities.", "Vanta! POS"},
        {"mnuCheckSecurity", "You do not have permissions to change POS Security.", "Vanta! POS"},
        {"mnuMailSettings", "You do not have permissions to change the mail settings.", "Vanta! POS"},
    };
    for (const GateCase &c : cases) {
        SCOPED_TRACE(c.name);
        runCommand(c.name);
        ASSERT_EQ(prompt.count(), 1);
        EXPECT_EQ(prompt.last().text, c.refusal);
        EXPECT_EQ(prompt.last().title, c.title);
        EXPECT_EQ(prompt.last().icon, Icon::Information);
    }
    EXPECT_EQ(lines().Count(), 1);
    EXPECT_TRUE(session.identity.securityOn);
    EXPECT_EQ(dialogs.runs(), 1); // only the logon: no dialog was opened for a refused command
}

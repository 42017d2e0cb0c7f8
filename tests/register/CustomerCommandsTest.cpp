// The register's customer command, mail settings, help and About.
#include "register/RegisterFixture.h"

#include "customers/CustomerTableModel.h"
#include "customers/frmCustomers.h"
#include "settings/clsPop3Settings.h"
#include "settings/frmMailSettings.h"

#include <QAction>
#include <QMenuBar>
#include <QSpinBox>
#include <QTableView>

using namespace vanta;

namespace {

class CustomerCommands : public test::RegisterTest {
protected:
    qint32 registerCustomer() const
    {
        return child<QComboBox>("cmbCustomers")->currentData().toInt();
    }
    void selectInRegister(qint32 id)
    {
        QComboBox *c = child<QComboBox>("cmbCustomers");
        c->setCurrentIndex(c->findData(id));
    }
};

} // namespace

TEST_F(CustomerCommands, ViewCustomersOpensTheFormOnTheRegistersCustomer)
{
    open(false);
    selectInRegister(storegen::demo::CreditCustomer);
    qint32 shownId = 0;
    dialogs.then([&](QDialog &dlg) {
        auto *form = qobject_cast<frmCustomers *>(&dlg);
        EXPECT_NE(form, nullptr);
        shownId = form->currentCustId();
        // Picking another customer in the form changes the register's too.
        const int row = form->list().rowOf(storegen::demo::ExemptCustomer);
        form->lsvCustomers->setCurrentIndex(form->list().index(row, 0));
        // A new customer is listed on the register at once.
        prompt.answerInput("Brand New Customer");
        QTest::mouseClick(form->cmdNew, Qt::LeftButton);
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(button("cmdEdit"), Qt::LeftButton);
    ASSERT_EQ(dialogs.runs(), 1);
    EXPECT_EQ(dialogs.titles().last(), "Customers");
    EXPECT_EQ(shownId, storegen::demo::CreditCustomer);
    const qint32 added = ts.db().scalar("SELECT \"Cust ID\" FROM Customers WHERE Name = 'Brand New Customer'").toInt();
    EXPECT_EQ(registerCustomer(), added);
    EXPECT_EQ(child<QComboBox>("cmbCustomers")->currentText(), "Brand New Customer - ");

    // A name changed in the form shows on the register once the form closes.
    dialogs.then([&](QDialog &dlg) {
        auto *form = qobject_cast<frmCustomers *>(&dlg);
        form->txtName->setFocus();
        form->txtName->selectAll();
        QTest::keyClicks(form->txtName, "Renamed Customer");
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(button("cmdEdit"), Qt::LeftButton);
    EXPECT_EQ(registerCustomer(), added);
    EXPECT_EQ(child<QComboBox>("cmbCustomers")->currentText(), "Renamed Customer - ");
}

TEST_F(CustomerCommands, MenusHelpAboutAndMailSettings)
{
    open(false);
    QStringList menus;
    for (QAction *a : pos->menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Utilities", "&Help"}));
    EXPECT_EQ(pos->findChild<QAction *>("mnuMailSettings")->text(), "Mai&l Settings");

    pos->findChild<QAction *>("mnuHelpContents")->trigger();
    ASSERT_NE(pos->helpWindow(), nullptr);
    EXPECT_TRUE(pos->helpWindow()->isVisible());
    pos->helpWindow()->close();

    pos->findChild<QAction *>("mnuAbout")->trigger();
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().title, "About Vanta! POS");
    EXPECT_EQ(prompt.last().text, "Vanta! POS\n\nVersion " VANTA_VERSION "\n\nFree software under the MIT License.");

    // The mail settings dialog stores the account in the store.
    dialogs.then([](QDialog &dlg) {
        auto *form = qobject_cast<frmMailSettings *>(&dlg);
        EXPECT_NE(form, nullptr);
        form->txtSMTP->setText("smtp.corner.example");
        form->txtMailPort->setValue(465);
        form->txtUserName->setText("till1");
        form->txtPassword->setText("pw");
        form->txtEmail->setText("till@corner.example");
        form->cmdOK_Click();
        return dlg.result();
    });
    pos->findChild<QAction *>("mnuMailSettings")->trigger();
    EXPECT_EQ(dialogs.titles().last(), "Mail Settings");
    settings::clsPop3Settings mail(session.store());
    EXPECT_EQ(QStringList({mail.SMTP(), QString::number(mail.MailPort()), mail.EMAIL()}),
              QStringList({"smtp.corner.example", "465", "till@corner.example"}));
}

// The start window: a register with no store offers the demo store, a new
// store, a store file or a shared store; a store opened from it is kept, a
// bad choice is told in plain words and the window comes back.
#include "register/RegisterFixture.h"
#include "register/frmStart.h"
#include "support/TempPgStore.h"

#include <QAbstractButton>
#include <QFile>

using namespace vanta;

namespace {

test::ScriptedDialogRunner::Script click(const char *button)
{
    return [button](QDialog &dlg) {
        dlg.findChild<QAbstractButton *>(QLatin1String(button))->click();
        return dlg.result();
    };
}

} // namespace

class StartWindow : public test::RegisterTest {
protected:
    StartWindow()
    {
        session.userDataFolder = config.filePath("data");
        session.makeDemoStore = [this](const QString &folder) {
            ++demosMade;
            db::Store::create(folder);
            storegen::fillDemoStore(db::Store(folder).database());
        };
    }

    // Starts the register with no store given (none kept unless the test
    // saved one).
    void start()
    {
        pos = std::make_unique<frmPOS>(session);
        pos->Form_Load();
    }
    QString pathing(const char *key) const { return settings.read("Marlux", "Pathing", key); }

    int demosMade = 0;
};

TEST_F(StartWindow, DemoStoreIsMadeInTheDataFolderOnceAndKept)
{
    dialogs.then(click("cmdDemoStore"));
    start();
    EXPECT_EQ(dialogs.titles(), QStringList{"Vanta! POS"});
    ASSERT_TRUE(session.hasStore());
    EXPECT_EQ(demosMade, 1);
    EXPECT_EQ(pathing("Datapath"), config.filePath("data/demo"));
    EXPECT_EQ(pathing("DatabasePath"), config.filePath("data/demo/vanta.mdb"));
    EXPECT_EQ(child<QComboBox>("cmbCustomers")->currentText(), "CASH SALE - (217) 555-0142");
    EXPECT_FALSE(pos->isClosed());
    EXPECT_EQ(prompt.count(), 0);

    // The next start opens the kept store without the window; with the
    // store gone the window says where it was looked for, and the demo
    // store already made is opened as it is.
    pos.reset();
    session.closeStore();
    start();
    EXPECT_EQ(dialogs.runs(), 1);
    EXPECT_TRUE(session.hasStore());
    pos.reset();
    session.closeStore();
    settings.save("Marlux", "Pathing", "Datapath", config.filePath("gone"));
    const QString gone = "No store database was found in " + QDir::toNativeSeparators(config.filePath("gone")) + ".";
    dialogs.then([&gone](QDialog &dlg) {
        const QLabel *note = dlg.findChild<QLabel *>("lblNote");
        EXPECT_EQ(note->text(), gone);
        EXPECT_FALSE(note->isHidden());
        return click("cmdDemoStore")(dlg);
    });
    start();
    EXPECT_EQ(demosMade, 1);
    EXPECT_EQ(pathing("Datapath"), config.filePath("data/demo"));
}

TEST_F(StartWindow, NewStoreAndStoreFileAreOpenedAndKept)
{
    struct Case {
        const char *button;
        QString answer;     // the folder or file chosen
        QString dataFolder; // kept in the settings
        int customers;      // in the store opened
    };
    const QList<Case> cases{{"cmdNewStore", config.filePath("new"), config.filePath("new"), 0},
                            {"cmdStoreFile", ts.path() + "/vanta.mdb", ts.path(), 4}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button);
        session.closeStore();
        prompt.clearRecord();
        settings.save("Marlux", "Pathing", "Datapath", QString());
        settings.save("Marlux", "Pathing", "Store", "postgresql://left@over/store");
        dialogs.then(click(c.button));
        prompt.answerOpenFile(c.answer);
        pos = std::make_unique<frmPOS>(session, config.filePath("none"));
        pos->Form_Load();
        ASSERT_TRUE(session.hasStore());
        ASSERT_EQ(prompt.count(), 1);
        EXPECT_EQ(prompt.last().folder, config.filePath("data")); // dialogs start in the data folder
        EXPECT_EQ(pathing("Datapath"), c.dataFolder);
        EXPECT_EQ(pathing("Store"), "");
        EXPECT_EQ(session.store().database().scalar("SELECT count(*) FROM Customers").toInt() > 0, c.customers > 0);
    }
    EXPECT_EQ(prompt.requests()[0].kind, test::PromptRequest::Kind::OpenFile);
}

// Each bad choice is told once in plain words; the window comes back and
// nothing is kept. Quit then ends the register.
TEST_F(StartWindow, BadChoicesAreToldAndTheWindowStays)
{
    QDir().mkpath(config.filePath("junk"));
    QFile junk(config.filePath("junk/vanta.mdb"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    QFile other(config.filePath("junk/other.mdb"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    struct Case {
        const char *button;
        std::function<void(test::ScriptedPrompt &)> answer;
        QString told; // "" when nothing is said (the dialog was cancelled)
    };
    const QString remote = "postgresql://vanta_pos@storehost/vanta_store?sslmode=disable";
    const QList<Case> cases{
        {"cmdDemoStore", [](test::ScriptedPrompt &) {},
         "The demo store could not be made in " + config.filePath("data/demo") + ".\n\nvanta-admin: not found"},
        {"cmdNewStore", [&](test::ScriptedPrompt &p) { p.answerOpenFile(ts.path()); },
         "No store was created.\n\nA store database already exists in '" + ts.path() + "'."},
        {"cmdNewStore", [](test::ScriptedPrompt &p) { p.cancelOpenFile(); }, ""},
        {"cmdStoreFile", [&](test::ScriptedPrompt &p) { p.answerOpenFile(config.filePath("missing/vanta.mdb")); },
         config.filePath("missing/vanta.mdb") + " is not a store database. A store database is a file named vanta.mdb."},
        {"cmdStoreFile", [&](test::ScriptedPrompt &p) { p.answerOpenFile(config.filePath("junk/other.mdb")); },
         config.filePath("junk/other.mdb") + " is not a store database. A store database is a file named vanta.mdb."},
        {"cmdStoreFile", [&](test::ScriptedPrompt &p) { p.answerOpenFile(config.filePath("junk/vanta.mdb")); },
         "'" + config.filePath("junk/vanta.mdb") + "' is not a Vanta! store database, or its password is wrong."},
        {"cmdStoreFile", [](test::ScriptedPrompt &p) { p.cancelOpenFile(); }, ""},
        {"cmdSharedStore", [](test::ScriptedPrompt &p) { p.answerInput("storehost/vanta_store"); },
         "\"storehost/vanta_store\" is not the address of a shared store. It begins with postgresql://, such as "
         "postgresql://vanta_pos@storehost/vanta_store."},
        {"cmdSharedStore", [&](test::ScriptedPrompt &p) { p.answerInput(" " + remote + " "); },
         "The store server 'storehost' is another computer: the connection must be encrypted (sslmode=require), "
         "not sslmode=disable."},
        {"cmdSharedStore", [](test::ScriptedPrompt &p) { p.cancelInput(); }, ""},
    };
    session.makeDemoStore = [](const QString &) {
        throw VantaError(3044, "vanta-admin: not found", "Vanta! POS");
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button + (" " + c.told.toStdString()));
        prompt.clearRecord();
        c.answer(prompt);
        dialogs.then(click(c.button)).then(click("cmdQuit"));
        const int before = dialogs.runs();
        start();
        EXPECT_EQ(dialogs.runs() - before, 2); // the window came back, and Quit closed it
        EXPECT_TRUE(pos->isClosed());
        EXPECT_FALSE(session.hasStore());
        EXPECT_EQ(pathing("Datapath"), "");
        EXPECT_EQ(prompt.pending(), 0);
        QStringList told;
        for (const test::PromptRequest &r : prompt.requests())
            if (r.kind == test::PromptRequest::Kind::Message)
                told << r.text;
        if (c.told.isEmpty()) {
            EXPECT_TRUE(told.isEmpty()) << told.join('|').toStdString();
        } else {
            ASSERT_EQ(told.size(), 1);
            EXPECT_EQ(told[0], c.told);
            EXPECT_EQ(prompt.last().icon, platform::Icon::Exclamation);
        }
    }
}

TEST_F(StartWindow, SharedStoreIsTestedThenKept)
{
    VANTA_REQUIRE_PG_SERVER();
    test::TempPgStore server;
    storegen::fillDemoStore(server.db());
    dialogs.then(click("cmdSharedStore"));
    prompt.answerInput(server.address);
    start();
    ASSERT_TRUE(session.hasStore());
    EXPECT_TRUE(session.store().onServer());
    EXPECT_EQ(pathing("Store"), server.address);
    EXPECT_EQ(child<QComboBox>("cmbCustomers")->currentText(), "CASH SALE - (217) 555-0142");
}

#include "security/SecuritySwitch.h"

#include "security/Logon.h"
#include "security/SecurityFixture.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>

using namespace vanta;
using namespace vanta::security;
using platform::Icon;

using SecuritySwitch = test::SecurityTest;

TEST_F(SecuritySwitch, StoredTextReadsAsTheSwitch)
{
    // A settings store without the key means security off.
    EXPECT_FALSE(CheckSecurity(settings, prompt));

    const QList<std::pair<QString, bool>> stored{
        {"True", true}, {"TRUE", true}, {"true", true}, {"False", false}, {"yes", false}, {"", false}};
    for (const auto &[text, on] : stored) {
        settings.save("POS", "Settings", "Security", text);
        EXPECT_EQ(CheckSecurity(settings, prompt), on) << text.toStdString();
    }

    SaveSecurity(settings, true);
    EXPECT_EQ(settings.read("POS", "Settings", "Security"), "True");
    SaveSecurity(settings, false);
    EXPECT_EQ(settings.read("POS", "Settings", "Security"), "False");
}

TEST_F(SecuritySwitch, SettingsThatCannotBeTrustedKeepSecurityOn)
{
    const QString file = settings.filePath("POS");
    const auto write = [&](const QByteArray &text) { test::writeFile(file, text); };
    // A stray unclosed quote would swallow the switch and every key after it.
    // So do a quote in a key, a header or a '#' line, and a backslash at a
    // line end (the reader joins the next line to it).
    for (const QByteArray &text :
         {QByteArray("junk=\"abc\n[Settings]\nSecurity=True\n"), QByteArray("[Settings\nSecurity=True\n"),
          QByteArray("garbage\n"), QByteArray("ju\"nk=abc\n[Settings]\nSecurity=True\n"),
          QByteArray("[Sett\"ings]\n[Settings]\nSecurity=True\n"), QByteArray("# \"note\n[Settings]\nSecurity=True\n"),
          QByteArray("junk=abc\\\n[Settings]\nSecurity=True\n"), QByteArray("junk=abc\\\r\n[Settings]\nSecurity=True\n")}) {
        QDir().mkpath(settings.folder());
        write(text);
        prompt.clearRecord();
        EXPECT_TRUE(CheckSecurity(settings, prompt)) << text.toStdString();
        ASSERT_EQ(prompt.count(), 1);
        EXPECT_EQ(prompt.last().text, "The settings file " + file
                                          + " is damaged, so security stays on: log on to go on, and have the file "
                                            "repaired or removed.");
        EXPECT_EQ(prompt.last().icon, Icon::Exclamation);
    }
    // A file that cannot be opened (here a folder in its place).
    QFile::remove(file);
    QDir().mkpath(file);
    prompt.clearRecord();
    EXPECT_TRUE(CheckSecurity(settings, prompt));
    EXPECT_TRUE(prompt.last().text.contains(" cannot be read, so security stays on"));
    QDir(file).removeRecursively();

    // Quoted values and comments are sound; a sound file says nothing.
    write("; kept by hand\n[Settings]\nSecurity=\"False\"\nName=\"a \\\"b\\\" c\" ; \"x\nPath=C:\\\\x\n");
    prompt.clearRecord();
    EXPECT_FALSE(CheckSecurity(settings, prompt));
    EXPECT_EQ(prompt.count(), 0);
    // Lines ended by carriage returns alone are lines too.
    write("; old editor\r[Settings]\rSecurity=True\r");
    EXPECT_TRUE(CheckSecurity(settings, prompt));
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SecuritySwitch, ToggleNeedsALogonAndTheDatabaseUtilitiesPermission)
{
    addEmployee(2, "Ann", "B", "Cole");
    addPermissions(2, {"Sell Items", "Edit Items", "Edit Customers"});
    addEmployee(3, "Dan", QVariant(), "Ford");
    addPermissions(3, {"Perform Database Utilities"});

    // Nobody logged on: nothing happens here; the register shows the logon.
    session.identity.securityOn = true;
    EXPECT_FALSE(ToggleSecurity(session.identity, session.storeOrNone(), prompt, settings));
    EXPECT_EQ(prompt.count(), 0);
    EXPECT_EQ(settings.read("POS", "Settings", "Security", "absent"), "absent");

    // Without the permission the switch stays, whether it is on or off.
    LogOn(session.identity, session.store(), 2, "Ann B Cole");
    for (bool on : {true, false}) {
        session.identity.securityOn = on;
        prompt.clearRecord();
        EXPECT_FALSE(ToggleSecurity(session.identity, session.storeOrNone(), prompt, settings));
        EXPECT_EQ(session.identity.securityOn, on);
        ASSERT_EQ(prompt.count(), 1);
        EXPECT_EQ(prompt.last().box(), "Vanta! POS [Information] You do not have permissions to change POS Security.");
    }
    EXPECT_EQ(settings.read("POS", "Settings", "Security", "absent"), "absent");

    // With it, the switch flips and is stored at once.
    LogOn(session.identity, session.store(), 3, "Dan  Ford");
    prompt.clearRecord();
    EXPECT_TRUE(ToggleSecurity(session.identity, session.storeOrNone(), prompt, settings));
    EXPECT_TRUE(session.identity.securityOn);
    EXPECT_EQ(settings.read("POS", "Settings", "Security"), "True");
    EXPECT_TRUE(CheckSecurity(settings, prompt));
    EXPECT_TRUE(ToggleSecurity(session.identity, session.storeOrNone(), prompt, settings));
    EXPECT_FALSE(session.identity.securityOn);
    EXPECT_EQ(settings.read("POS", "Settings", "Security"), "False");
    EXPECT_EQ(prompt.count(), 0);
}

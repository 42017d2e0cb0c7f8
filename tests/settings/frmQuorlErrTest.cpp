#include "settings/ErrorReport.h"
#include "settings/clsPop3Settings.h"
#include "settings/frmQuorlErr.h"
#include "settings/modInternetConnect.h"
#include "settings/LoopbackSmtpServer.h"

#include "diagnostics/Trace.h"
#include "storegen/DemoStore.h"
#include "support/SessionFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>

using namespace vanta;
using diag::Trace;

namespace {

const QString kNotSetUp =
    "Your local email client is not setup sufficiently enough to send an email from this application.";

// A demo store, the error report installed on the trace with trapping on,
// and a scripted runner that drives the report.
class ErrorReportTest : public test::SessionTest {
protected:
    ErrorReportTest()
    {
        storegen::fillDemoStore(ts.db());
        Trace::instance().setTrappingEnabled(true);
        Trace::instance().setReportView(&report);
    }

    void setMail(const QString &smtp, int port, const QString &user, const QString &password, const QString &email)
    {
        settings::clsPop3Settings mail(*ts.store);
        mail.setAll({QString(), smtp, user, password, email, port});
    }
    // Raises error 91 in modTest(Inner), called by frmTest(Outer) which
    // traps it, inside frmTest(Start).
    void failInsideOuter()
    {
        diag::run("frmTest", "Start", [] {
            diag::run("frmTest", "Outer", [] {
                diag::ProcGuard inner("modTest", "Inner");
                throw VantaError(91, "Object variable not set", "Vanta test");
            });
        });
    }
    // Fails inside Outer with the report run by driveReport(sends), the
    // record of boxes cleared first.
    void failAndSend(int sends)
    {
        prompt.clearRecord();
        driveReport(sends);
        failInsideOuter();
    }
    // Runs the report: clicks Send Email `sends` times, then Exit.
    void driveReport(int sends)
    {
        dialogs.then([this, sends](QDialog &dlg) {
            shown = qobject_cast<frmQuorlErr *>(&dlg);
            EXPECT_NE(shown, nullptr);
            if (!shown)
                return int(QDialog::Rejected);
            title = dlg.windowTitle();
            error = shown->lblErr->text();
            explanation = shown->lblErrMsg->text();
            header = shown->txtStack->item(0)->text();
            for (int i = 0; i < shown->lstStack->count(); ++i) {
                rows << shown->lstStack->item(i)->text();
                if (shown->lstStack->item(i)->isSelected())
                    selected << i;
            }
            current = shown->lstStack->currentRow();
            // A click on another row changes nothing.
            const QRect first = shown->lstStack->visualItemRect(shown->lstStack->item(0));
            QTest::mouseClick(shown->lstStack->viewport(), Qt::LeftButton, {}, first.center());
            for (int i = 0; i < shown->lstStack->count(); ++i)
                if (shown->lstStack->item(i)->isSelected())
                    selectedAfterClick << i;
            for (int i = 0; i < sends; ++i)
                QTest::mouseClick(shown->cmdEmail, Qt::LeftButton);
            QTest::mouseClick(shown->Command1, Qt::LeftButton);
            return dlg.result();
        });
    }

    qint32 connection = settings::AlreadyConnected;
    QList<platform::MailMessage> sent;
    std::deque<platform::MailResult> results; // of the next sends; then Sent
    settings::ErrorReport report{prompt, dialogs, settings, [this] { return ts.store.get(); },
                                 [this](const platform::MailMessage &m) {
                                     sent << m;
                                     if (results.empty())
                                         return platform::MailResult{platform::MailResult::Status::Sent, {}};
                                     const platform::MailResult r = results.front();
                                     results.pop_front();
                                     return r;
                                 },
                                 [this](const QString &) { return connection; }};

    frmQuorlErr *shown = nullptr;
    QString title, error, explanation, header;
    QStringList rows;
    QList<int> selected, selectedAfterClick;
    int current = -2;
};

const QStringList kRows{" \t \tfrmTest(Start)", " \t>>\tfrmTest(Outer)", ">>\t \tmodTest(Inner)"};

} // namespace

TEST_F(ErrorReportTest, ShowsNumberExplanationAndMarkedStack)
{
    driveReport(0);
    failInsideOuter();
    ASSERT_EQ(dialogs.runs(), 1);
    EXPECT_EQ(QStringList({title, error, explanation, header}),
              QStringList({"Vanta! POS", "91", "Object variable not set [Source=Vanta test]", "Origin\tTrap\tProcedure"}));
    EXPECT_EQ(rows, kRows);
    EXPECT_EQ(selected, QList<int>({1, 2}));
    EXPECT_EQ(selectedAfterClick, QList<int>({1, 2}));
    EXPECT_EQ(current, 1); // the trap row
    EXPECT_EQ(prompt.beeps(), 1);
    EXPECT_FALSE(Trace::instance().reportShowing());
    EXPECT_EQ(Trace::instance().depth(), 0); // the program carried on

    // Raised and trapped in the same procedure: one row with both markers.
    diag::ErrorRecord same;
    same.stack = "a(1),b(2),c(3)";
    same.trap = "c(3)";
    int origin = -1, trap = -1;
    EXPECT_EQ(frmQuorlErr::stackRows(same, &origin, &trap),
              QStringList({" \t \ta(1)", " \t \tb(2)", ">>\t>>\tc(3)"}));
    // Trapped by a procedure no longer on the stack: no trap marker.
    same.trap = "";
    EXPECT_EQ(frmQuorlErr::stackRows(same, &origin, &trap), QStringList({" \t \ta(1)", " \t \tb(2)", ">>\t \tc(3)"}));
    EXPECT_EQ(trap, -1);
}

TEST_F(ErrorReportTest, SendEmailTellsWhatHappened)
{
    // Incomplete settings (a password of blanks counts as none): nothing is sent.
    setMail("smtp.corner.example", 587, "till1", "   ", "till@corner.example");
    failAndSend(1);
    EXPECT_TRUE(sent.isEmpty());
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, kNotSetUp);
    EXPECT_EQ(prompt.last().icon, platform::Icon::Information);

    // Offline: the cashier is told, nothing is sent.
    setMail("smtp.corner.example", 587, "till1", "pw", "till@corner.example");
    connection = settings::NotConfigured;
    failAndSend(1);
    EXPECT_TRUE(sent.isEmpty());
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, "The error report was not sent: this computer is not connected to the internet.");
    EXPECT_EQ(prompt.last().icon, platform::Icon::Exclamation);

    // A refused logon is reported with its reason; then a good send says so.
    connection = settings::AlreadyConnected;
    results.push_back({platform::MailResult::Status::AuthRefused, "The mail server refused the user name or password."});
    failAndSend(2);
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.requests()[0].text,
              "The error report was not sent: The mail server refused the user name or password.");
    EXPECT_EQ(prompt.requests()[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(prompt.requests()[1].text, "The error report was sent to support@vanta-pos.example.");
    EXPECT_EQ(prompt.requests()[1].icon, platform::Icon::Information);
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(QStringList({sent[0].host, QString::number(sent[0].port), sent[0].from, sent[0].to, sent[0].subject}),
              QStringList({"smtp.corner.example", "587", "till@corner.example", "support@vanta-pos.example",
                           "Vanta! POS Error"}));
}

// The whole road: a trapped error, "Send Email", libcurl, and an SMTP
// server of the test's own on 127.0.0.1 that receives the report.
TEST_F(ErrorReportTest, ReportIsMailedToALocalSmtpServer)
{
    test::LoopbackSmtpServer server("till1", "p@ss w0rd;'");
    setMail("127.0.0.1", server.port(), "till1", "p@ss w0rd;'", "till@corner.example");
    settings::ErrorReport::setSupportAddress(settings, "help@vendor.example");
    settings::ErrorReport real(prompt, dialogs, settings, [this] { return ts.store.get(); });
    Trace::instance().setReportView(&real);
    driveReport(1);
    failInsideOuter();
    server.finish();

    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.last().text, "The error report was sent to help@vendor.example.");
    EXPECT_TRUE(server.authenticated);
    EXPECT_EQ(server.mailFrom, "<till@corner.example>");
    EXPECT_EQ(server.rcptTo, "<help@vendor.example>");
    ASSERT_TRUE(server.sawData);
    const qsizetype split = server.data.indexOf("\r\n\r\n");
    ASSERT_GT(split, 0);
    const QStringList headers = QString::fromUtf8(server.data.left(split)).split("\r\n");
    EXPECT_TRUE(headers.contains("Subject: Vanta! POS Error"));
    EXPECT_TRUE(headers.contains("From: <till@corner.example>"));
    EXPECT_TRUE(headers.contains("To: <help@vendor.example>"));
    const QStringList body = QString::fromUtf8(server.data.mid(split + 4)).split("\r\n");
    const QStringList expected = QStringList{"Error Number: 91",
                                             "Description: Object variable not set [Source=Vanta test]", "",
                                             "Procedure Stack: ", ""}
                                 + kRows
                                 + QStringList{"", "Name: Vanta Corner Store",
                                               "Reply To: orders@vantacorner.example", "Phone: (217) 555-0142", ""};
    EXPECT_EQ(body, expected);
    // The password never reached the screen or the trace.
    for (const auto &r : prompt.requests())
        EXPECT_FALSE(r.text.contains("w0rd"));
    EXPECT_FALSE(Trace::instance().lastError().explanation.contains("w0rd"));
}

TEST_F(ErrorReportTest, RefusedPasswordAndMissingServerAreReported)
{
    {
        test::LoopbackSmtpServer server("till1", "right");
        setMail("127.0.0.1", server.port(), "till1", "wrong", "till@corner.example");
        const platform::MailResult r = platform::sendMail({"127.0.0.1", server.port(), "till1", "wrong",
                                                           "till@corner.example", "help@vendor.example", "s", "b"},
                                                          10);
        server.finish();
        EXPECT_EQ(r.status, platform::MailResult::Status::AuthRefused);
        EXPECT_EQ(r.detail, "The mail server refused the user name or password.");
        EXPECT_FALSE(server.sawData);
    }
    // A port nobody listens on: unreachable.
    int port = 0;
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
        port = ntohs(addr.sin_port);
        ::close(fd); // bound, never listening, now closed: nobody answers there
    }
    const platform::MailResult r =
        platform::sendMail({"127.0.0.1", port, "u", "p", "a@b.example", "c@d.example", "s", "b"}, 5);
    EXPECT_EQ(r.status, platform::MailResult::Status::Unreachable);
    // A remote server must offer TLS; the local test server does not, and a
    // name that is not this machine is never sent to without it.
    for (const char *local : {"127.0.0.1", "LOCALHOST", "::1"})
        EXPECT_TRUE(platform::isLocalHost(local)) << local;
    for (const char *remote : {"127.0.0.1.example.com", "smtp.example.com"})
        EXPECT_FALSE(platform::isLocalHost(remote)) << remote;
}

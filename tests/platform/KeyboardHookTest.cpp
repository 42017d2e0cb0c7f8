// The keyboard hook's timed capture with widgets: what is held back goes
// where it was typed, and a scan reaches no widget.
#include "platform_ui/KeyboardHook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace vanta::platform;

namespace {

// A window with two boxes and the hook, its timed capture on; keys are
// delivered to the window with the time stamps the window system would give.
class TimedHook : public ::testing::Test {
protected:
    TimedHook()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        hook.timeScans(ScannerSettings(), [this](const QString &code) { scanned << code; });
        window.show();
        QApplication::setActiveWindow(&window);
        first->setFocus();
    }
    void press(QChar c, qint64 atMs, int key = 0, QWindow *to = nullptr)
    {
        const int k = key ? key : int(c.toUpper().unicode());
        const QString text = key ? QString() : QString(c);
        QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier, text);
        down.setTimestamp(quint64(atMs));
        QWindow *target = to ? to : window.windowHandle();
        QCoreApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, k, Qt::NoModifier, text);
        up.setTimestamp(quint64(atMs + 1));
        QCoreApplication::sendEvent(target, &up);
    }
    void enter(qint64 atMs) { press(QChar(), atMs, Qt::Key_Return); }

    QWidget window;
    QLineEdit *first = new QLineEdit(&window);
    QLineEdit *second = new QLineEdit(&window);
    KeyboardHook hook{[](const KeyPress &) { return false; }};
    QStringList scanned;
};

} // namespace

TEST_F(TimedHook, AScanReachesNoBoxAndTypingReachesTheBoxItWasTypedIn)
{
    qint64 t = 10000;
    for (QChar c : QString("073256120013"))
        press(c, t += 5);
    enter(t += 5);
    EXPECT_EQ(scanned, QStringList{"073256120013"});
    EXPECT_EQ(first->text(), "");

    // Typed in the first box, the focus moved to the second before the
    // characters turned out to be typing: they are in the first box.
    press('1', t += 1000);
    press('2', t += 10);
    second->setFocus();
    QTRY_COMPARE(first->text(), QString("12"));
    EXPECT_EQ(second->text(), "");
    // A person at 80 ms a key: each key reaches the box, in order.
    for (QChar c : QString("3.50"))
        press(c, t += 80);
    QTRY_COMPARE(second->text(), QString("3.50"));
    EXPECT_EQ(scanned.size(), 1);
}

// An open menu takes its letters at once: they are never held back, nor
// given to the box that had the focus before it opened.
TEST_F(TimedHook, AnOpenMenuTakesItsLettersAtOnce)
{
    QMenu menu(&window);
    int chosen = 0;
    menu.addAction("&Back Up Store Now", [&] { ++chosen; });
    menu.popup(window.mapToGlobal(QPoint(0, 0)));
    QTRY_VERIFY(menu.isVisible());
    press('b', 20000, 0, menu.windowHandle());
    EXPECT_EQ(chosen, 1);
    QTest::qWait(100);
    EXPECT_EQ(first->text(), "");
}

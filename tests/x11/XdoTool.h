#pragma once

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace vanta::test {

// Sends keystrokes to the X server with xdotool, as a keyboard or a
// keyboard-wedge scanner types them; returns xdotool's exit code.
inline int xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000))
        return -1;
    return p.exitCode();
}

// A scan as the scanner types it: Ctrl+], the code, Ctrl+\ (or the end
// key given).
inline void xdoScan(const QString &code, const char *end = "ctrl+backslash")
{
    ASSERT_EQ(xdotool({"key", "--delay", "5", "ctrl+bracketright"}), 0);
    ASSERT_EQ(xdotool({"type", "--delay", "5", code}), 0);
    ASSERT_EQ(xdotool({"key", "--delay", "5", end}), 0);
}

} // namespace vanta::test

#include "platform/ProfileFile.h"

#include "diagnostics/VantaError.h"
#include "support/Files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta::platform;

using vanta::test::readFile;
using vanta::test::writeFile;

TEST(ProfileFile, ReadsProfileStrings)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Users.ini");
    writeFile(path, "; report settings\n[None]\nDestination=1\n Report Display = 27 \n"
                    "Title=\"quoted\"\n\n[Ann  Smith]\nDestination=0\n");
    ProfileFile ini(path);

    EXPECT_EQ(ini.readString("none", "DESTINATION", "0", 2), "1");
    EXPECT_EQ(ini.readString("None", "report display", "0", 2), "2");
    EXPECT_EQ(ini.readString("None", "Report Display", "0", 3), "27");
    EXPECT_EQ(ini.readString("None", "Report Display", "0", 1), "");
    EXPECT_EQ(ini.readString("None", "Title", "", 20), "quoted");
    EXPECT_EQ(ini.readString("None", "Always on Top", "1", 2), "1");
    EXPECT_EQ(ini.readString("ann  smith", "Destination", "9", 2), "0");
    EXPECT_EQ(ini.readString("Bob", "Destination", "abc", 2), "a");
    EXPECT_EQ(ini.readString("Bob", "Destination", QString("x") + QChar(0) + "y", 10), "x");
    EXPECT_EQ(ProfileFile(dir.filePath("missing.ini")).readString("None", "Destination", "0", 2), "0");
}

TEST(ProfileFile, WritingKeepsTheOtherLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Users.ini");
    writeFile(path, "; comment\r\n[None]\r\nDestination=1\r\n\r\n[Ann]\r\nDestination=0\r\n");
    ProfileFile ini(path);

    ini.writeString("NONE", "destination", "0");
    ini.writeString("None", "Always on Top", "1");
    ini.writeString("Bob", "Destination", "1");
    EXPECT_EQ(readFile(path), "; comment\r\n[None]\r\nDestination=0\r\nAlways on Top=1\r\n\r\n"
                              "[Ann]\r\nDestination=0\r\n[Bob]\r\nDestination=1\r\n");
    EXPECT_EQ(ini.readString("bob", "destination", "", 2), "1");

    // A new file (and its folder) is created; line breaks would break the layout.
    ProfileFile fresh(dir.filePath("cfg/Users.ini"));
    fresh.writeString("None", "Destination", "1");
    EXPECT_EQ(readFile(fresh.path()), "[None]\nDestination=1\n");
    // The last two: a key line that would read as a section header or a comment.
    const std::pair<const char *, const char *> refused[] = {
        {"Destination", "1\n[Evil]"}, {"a=b", "1"}, {" [Evil]", "1"}, {";Note", "1"}};
    for (const auto &[key, value] : refused)
        EXPECT_THROW(fresh.writeString("None", key, value), vanta::VantaError) << key;
    EXPECT_EQ(readFile(fresh.path()), "[None]\nDestination=1\n");
}

TEST(ProfileFile, NamesMatchWithoutBlanksAroundThem)
{
    QTemporaryDir dir;
    ProfileFile ini(dir.filePath("Users.ini"));
    ini.writeString(" None ", " Destination ", "1");
    EXPECT_EQ(ini.readString("None", "Destination", "", 9), "1");
    EXPECT_EQ(ini.readString("  none", "destination  ", "", 9), "1");
    ini.writeString("None", "Destination ", "0");
    EXPECT_EQ(readFile(ini.path()), "[None]\nDestination=0\n");
}

// Byte order marks (at the start of the file, several, or at the start of
// any line) and other blanks are read the same way by the reader and the
// writer, so a written key reads back and every other key stays as it was.
TEST(ProfileFile, ByteOrderMarksAreBlanksToReaderAndWriterAlike)
{
    const QByteArray bom = "\xEF\xBB\xBF";
    QTemporaryDir dir;
    const QString path = dir.filePath("Users.ini");
    ProfileFile ini(path);

    // Found by fuzzing: three marks, then a header followed by a form feed.
    writeFile(path, bom + bom + bom + "[REPORT]\f\nEPORT]\f\nrot\n=St0\n\n");
    ini.writeString("report", " dest ", "4");
    EXPECT_EQ(ini.readString("Report", "Dest", "-", 99), "4");
    EXPECT_EQ(readFile(path), bom + bom + bom + "[REPORT]\f\nEPORT]\f\nrot\n=St0\ndest=4\n\n")
        << "every mark kept, the key written into the section that was there";
    ini.writeString("Report", "Dest", "5");
    EXPECT_EQ(ini.readString("Report", "Dest", "-", 99), "5");

    // The smallest forms: two marks before the first header; one before a
    // later header or a key.
    writeFile(path, bom + bom + "[Report]\n");
    ini.writeString("Report", "Dest", "4");
    EXPECT_EQ(readFile(path), bom + bom + "[Report]\nDest=4\n");
    EXPECT_EQ(ini.readString("report", "dest", "-", 99), "4");

    writeFile(path, "[None]\nDest=1\n" + bom + "[Report]\n" + bom + "Dest=2\n");
    EXPECT_EQ(ini.readString("Report", "Dest", "-", 99), "2");
    ini.writeString("Report", "Dest", "3");
    EXPECT_EQ(readFile(path), "[None]\nDest=1\n" + bom + "[Report]\nDest=3\n");
    EXPECT_EQ(ini.readString("None", "Dest", "-", 99), "1");

    // A key that would read back as a header once its blanks are dropped.
    EXPECT_THROW(ini.writeString("Report", QString(QChar(0xFEFF)) + "[Evil]", "1"), vanta::VantaError);
    EXPECT_THROW(ini.writeString("Report", QString(QChar(0xFEFF)), "1"), vanta::VantaError);
}

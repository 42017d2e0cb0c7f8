#include "journal/JournalError.h"
#include "journal/JournalFile.h"
#include "support/Files.h"
#include "support/Raised.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta::journal;

namespace {

class JournalFileTest : public ::testing::TestWithParam<JournalFile::Sync> {
protected:
    QString path() const { return dir.filePath("open.journal"); }
    QByteArray fileBytes() const { return vanta::test::readFile(path()); }
    void setFileBytes(const QByteArray &bytes) const { vanta::test::writeFile(path(), bytes); }
    QTemporaryDir dir;
};

} // namespace

TEST_P(JournalFileTest, KeepsTheNewestRecordThroughManyWritesAndGrowth)
{
    JournalFile file(path(), GetParam());
    EXPECT_EQ(file.read(), std::nullopt); // no file yet
    for (int i = 1; i <= 25; ++i) {
        file.write("record " + QByteArray::number(i));
        ASSERT_EQ(file.read(), "record " + QByteArray::number(i));
    }
    const QByteArray large(100 * 1024, 'x'); // beyond the slots: the file is made afresh, larger
    file.write(large);
    EXPECT_EQ(file.read(), large);
    file.write("small again");
    file.flush();
    EXPECT_EQ(JournalFile(path()).read(), "small again"); // another reader of the same file
    EXPECT_EQ(QFile::permissions(path()) & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFileDevice::Permissions());
}

TEST_P(JournalFileTest, ATornNewestRecordFallsBackToTheOneBefore)
{
    {
        JournalFile file(path(), GetParam());
        for (int i = 1; i <= 6; ++i)
            file.write("record number " + QByteArray::number(i));
    }
    QByteArray bytes = fileBytes();
    const qsizetype at = bytes.indexOf("record number 6");
    ASSERT_GE(at, 0);
    bytes[at + 3] = 'X'; // half written when the program was killed
    setFileBytes(bytes);
    EXPECT_EQ(JournalFile(path()).read(), "record number 5");
}

TEST_P(JournalFileTest, DamagedOrUnreadableFilesAreErrorsNotRecords)
{
    JournalFile file(path(), GetParam());
    setFileBytes("not a journal at all");
    EXPECT_THROW(file.read(), JournalError);
    setFileBytes(QByteArray());
    EXPECT_THROW(file.read(), JournalError);

    file.write("kept"); // a damaged file is replaced whole by the next write
    QByteArray bytes = fileBytes();
    bytes[bytes.indexOf("kept")] = 'K';
    setFileBytes(bytes);
    const QString refused = vanta::test::raised([&] { file.read(); }).text;
    EXPECT_TRUE(refused.endsWith("holds no intact record")) << "read a file without an intact record? "
                                                            << qPrintable(refused);

    QFile::remove(path());
    QDir(dir.path()).mkdir("open.journal"); // cannot be opened as a file
    EXPECT_THROW(file.read(), JournalError);
    EXPECT_TRUE(file.setAside());
    EXPECT_EQ(file.read(), std::nullopt);
}

TEST_P(JournalFileTest, ClearRemovesAnOldFileOrStoresAnEmptyRecord)
{
    JournalFile(path()).write("from an earlier run");
    JournalFile file(path(), GetParam());
    file.clear();
    EXPECT_FALSE(QFile::exists(path()));
    file.write("sale");
    file.clear();
    EXPECT_EQ(file.read(), QByteArray());
}

INSTANTIATE_TEST_SUITE_P(Sync, JournalFileTest,
                         ::testing::Values(JournalFile::Sync::Behind, JournalFile::Sync::EachWrite),
                         [](const auto &info) {
                             return std::string(info.param == JournalFile::Sync::Behind ? "Behind" : "EachWrite");
                         });

TEST(JournalFileFolder, AFolderThatCannotBeWrittenIsAnError)
{
    QTemporaryDir dir;
    JournalFile file(dir.filePath("missing/open.journal"));
    EXPECT_THROW(file.write("sale"), JournalError);
}

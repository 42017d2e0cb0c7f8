#include "platform/SettingsStore.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vanta::platform;

TEST(SettingsStore, RoundTripWithDefaults)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("config/Vanta");
    {
        SettingsStore s(folder);
        EXPECT_EQ(s.read("POS", "Settings", "Security", "False"), "False");
        EXPECT_EQ(s.read("Marlux", "Pathing", "Datapath", "None"), "None");
        s.save("POS", "Settings", "Security", "True");
        s.save("POS", "Settings", "Selected Color", "16711680");
        s.save("Marlux", "Pathing", "Datapath", "/srv/store, main");
    }
    SettingsStore again(folder);
    EXPECT_EQ(again.read("POS", "Settings", "Security", "False"), "True");
    EXPECT_EQ(again.read("POS", "Settings", "Selected Color", "0"), "16711680");
    EXPECT_EQ(again.read("POS", "Settings", "Non-Selected Color", "0"), "0");
    EXPECT_EQ(again.read("Marlux", "Pathing", "Datapath", "None"), "/srv/store, main");
    // Applications and sections do not see each other's keys.
    EXPECT_EQ(again.read("Marlux", "Settings", "Security", "False"), "False");
    EXPECT_EQ(again.read("POS", "Pathing", "Datapath", "None"), "None");
    EXPECT_TRUE(QFileInfo(again.filePath("POS")).isFile());
}

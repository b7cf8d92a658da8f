#include <gtest/gtest.h>

#include <QStringDecoder>

#include "link/reset_defaults.h"

using namespace mixer;

// The Chinese names are stored as GBK bytes; what they decode to is what a
// user reads.
TEST(DefaultNames, ChineseNamesDecodeFromGbk) {
    MixerState s{};
    SetDefaultNames(s, 2);
    QStringDecoder gbk("GBK");
    ASSERT_TRUE(gbk.isValid());
    auto name = [&](const char* field) { return QString(gbk.decode(QByteArray(field))); };
    EXPECT_EQ(name(s.strips[0].name), QString::fromUtf8("通道 1"));
    EXPECT_EQ(name(s.strips[15].name), QString::fromUtf8("通道 16"));
    EXPECT_EQ(name(s.strips[16].name), QString::fromUtf8("延时"));
    EXPECT_EQ(name(s.strips[17].name), QString::fromUtf8("混响"));
    EXPECT_EQ(name(s.buses[0].name), QString::fromUtf8("主音量"));
    EXPECT_EQ(name(s.buses[1].name), QString::fromUtf8("MAIN"));
    EXPECT_EQ(name(s.buses[2].name), QString::fromUtf8("辅助 1"));
    EXPECT_EQ(name(s.buses[7].name), QString::fromUtf8("辅助 6"));
}

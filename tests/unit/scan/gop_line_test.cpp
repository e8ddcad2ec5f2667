#include "scan/gop_line.h"

#include <gtest/gtest.h>

namespace velmorin {
namespace {

TEST(GopLine, FormatsMarksNumberTimeAndPattern) {
    const std::string line = formatGopLine('>', '*', 1, TimeCode{0, 0, 0, 280}, 0);
    EXPECT_EQ(line, " >*00001 (00:00:00.280) ****");
    EXPECT_EQ(line.size(), 28u);
    EXPECT_EQ(line.substr(24), "****");
    EXPECT_EQ(formatGopLine(' ', 'X', 42, TimeCode{13, 15, 59, 7}, 3),
              "  X00042 (13:15:59.007) ---*");
}

TEST(GopLine, SixDigitNumbersMakeTheLineLonger) {
    const std::string line = formatGopLine(' ', ' ', 100000, TimeCode{1, 2, 3, 4}, 4);
    EXPECT_EQ(line, "   100000 (01:02:03.004) ----");
    EXPECT_EQ(line.size(), 29u);
}

TEST(GopLine, PatternTextIsReplacedAtTheEnd) {
    EXPECT_EQ(withPatternText(" >*00001 (00:00:00.280) ****", 7), " >*00001 (00:00:00.280) *---");
    EXPECT_EQ(withPatternText("   100000 (01:02:03.004) ----", 0), "   100000 (01:02:03.004) ****");
}

TEST(SizeLabel, ThousandthsOfAGibibyteRounded) {
    EXPECT_EQ(sizeLabelText(0), "ｻｲｽﾞ: 0.000 GB");
    EXPECT_EQ(sizeLabelText(1073741824.0), "ｻｲｽﾞ: 1.000 GB");
    EXPECT_EQ(sizeLabelText(1610612736.0), "ｻｲｽﾞ: 1.500 GB");
    EXPECT_EQ(sizeLabelText(31664128.0), "ｻｲｽﾞ: 0.029 GB");
    EXPECT_EQ(sizeLabelText(536871.0), "ｻｲｽﾞ: 0.001 GB");  // 0.5 thousandths rounds up
    EXPECT_EQ(sizeLabelText(536870.0), "ｻｲｽﾞ: 0.000 GB");
}

}  // namespace
}  // namespace velmorin

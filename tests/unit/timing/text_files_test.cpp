#include <gtest/gtest.h>

#include "timing/edl_file.h"
#include "timing/subtitle_file.h"

namespace velmorin {
namespace {

constexpr TitleTime kMs = kTicksPerMillisecond;

TEST(EdlFile, MutesAsPlayersReadThem) {
    const auto edl = parseEdl(
        "# made by hand\r\n"
        "12.5\t13.75  1\r\n"
        "\r\n"
        "  0 4.2 0\n"
        "00:01:00.000 61.001 1\n"
        "100 100 2\n");
    ASSERT_EQ(edl.result, EdlResult::Ok);
    EXPECT_EQ(edl.mutes,
              (std::vector<TitleSpan>{{12500 * kMs, 13750 * kMs}, {60000 * kMs, 61001 * kMs}}));
    ASSERT_EQ(edl.ignored.size(), 2u);
    EXPECT_EQ(edl.ignored[0].line, 4);
    EXPECT_EQ(edl.ignored[1].action, "2");
}

TEST(EdlFile, MalformedLineFailsTheWholeList) {
    for (const auto& [text, line] :
         std::initializer_list<std::pair<const char*, int>>{{"1 2 1\n3 4\n", 2},
                                                            {"1 2 1 x\n", 1},
                                                            {"\n\n1 x 1\n", 3},
                                                            {"5 4 1\n", 1},
                                                            {"5 5 1\n", 1},
                                                            {"1 2 mute\n", 1},
                                                            {"-1 2 1\n", 1}}) {
        const auto edl = parseEdl(text);
        EXPECT_EQ(edl.result, EdlResult::MalformedLine) << text;
        EXPECT_EQ(edl.errorLine, line) << text;
        EXPECT_TRUE(edl.mutes.empty());
    }
}

TitleSpan ms(TitleTime from, TitleTime to) {
    return {from * kMs, to * kMs};
}

TEST(SubtitleFile, SubRipAsEditorsWriteIt) {
    // BOM, CRLF, an odd cue number, a missing blank line, a blank line inside a cue, cues
    // out of order and overlapping, trailing blank lines.
    const auto srt = parseSubtitles(
        "\xEF\xBB\xBF"
        "1\r\n00:00:01,000 --> 00:00:02,500\r\n<i>Hello</i> &amp;\r\nworld\r\n\r\n"
        "7a\r\n00:00:00,500 --> 00:00:01,2 X1:10 X2:20\r\n{\\an8}Top\r\n"
        "3\r\n00:00:05.000 --> 00:00:06.000\r\nfirst\r\n\r\nsecond\r\n\r\n\r\n");
    ASSERT_EQ(srt.result, SubtitleResult::Ok);
    EXPECT_EQ(srt.format, SubtitleFormat::SubRip);
    ASSERT_EQ(srt.cues.size(), 3u);
    EXPECT_EQ(srt.cues[0].span, ms(1000, 2500));
    EXPECT_EQ(srt.cues[0].text, "Hello &\nworld");
    EXPECT_EQ(srt.cues[1].span, ms(500, 1002));  // short fractions count milliseconds
    EXPECT_EQ(srt.cues[1].text, "Top");
    EXPECT_EQ(srt.cues[2].text, "first\nsecond");
    EXPECT_EQ(srt.cues[2].line, 10);
}

TEST(SubtitleFile, WebVttBlocksAndSettings) {
    const auto vtt = parseSubtitles(
        "WEBVTT - a title\nKind: captions\n\n"
        "STYLE\n::cue { color: red }\n\n"
        "NOTE a comment\nover lines\n\n"
        "intro\n00:01.000 --> 00:02.000 align:start position:10%\n<v Ann>Hi <b>there</b>\n\n"
        "00:59:59.999 --> 01:00:00.000\nlast");
    ASSERT_EQ(vtt.result, SubtitleResult::Ok);
    EXPECT_EQ(vtt.format, SubtitleFormat::WebVtt);
    ASSERT_EQ(vtt.cues.size(), 2u);
    EXPECT_EQ(vtt.cues[0].span, ms(1000, 2000));
    EXPECT_EQ(vtt.cues[0].text, "Hi there");
    EXPECT_EQ(vtt.cues[1].span, ms(3599999, 3600000));
}

TEST(SubtitleFile, MalformedTimingNamesItsLine) {
    for (const auto& [text, line] : std::initializer_list<std::pair<const char*, int>>{
             {"1\n00:00:01,000 --> 00:00:02,000\nok\n\n2\n00:00:03,000 --> 00:00:04,0000\nx\n", 6},
             {"1\n00:00:05,000 --> 00:00:04,000\nbackwards\n", 2},
             {"not a subtitle file\n", 1},
             {"WEBVTT\n\n00:01.000 -> 00:02.000\ntext\n\n00:61.000 --> 00:62.000\n", 6}}) {
        const auto file = parseSubtitles(text);
        EXPECT_EQ(file.result, SubtitleResult::MalformedTiming) << text;
        EXPECT_EQ(file.errorLine, line) << text;
    }
}

}  // namespace
}  // namespace velmorin

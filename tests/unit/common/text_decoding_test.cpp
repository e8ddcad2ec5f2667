#include "common/text_decoding.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace velmorin {
namespace {

// "é\n猫" in each form the reader takes.
const std::string kUtf8 = "\xC3\xA9\n\xE7\x8C\xAB";

TEST(TextDecoding, UnicodeFormsByByteOrderMark) {
    const std::pair<std::string, const char*> cases[] = {
        {kUtf8, "UTF-8"},
        {"\xEF\xBB\xBF" + kUtf8, "UTF-8"},
        {std::string("\xFF\xFE\xE9\x00\n\x00\x2B\x73", 8), "UTF-16"},
        {std::string("\xFE\xFF\x00\xE9\x00\n\x73\x2B", 8), "UTF-16"},
    };
    for (const auto& [bytes, name] : cases) {
        // A mark wins over the encoding the caller names.
        const auto text =
            decodeText(bytes, bytes[0] == '\xC3' ? TextEncoding::Unicode : TextEncoding::Cp932,
                       shiftJisToUtf8);
        EXPECT_EQ(text.result, TextDecodeResult::Ok) << name;
        EXPECT_EQ(text.utf8, kUtf8) << name;
        EXPECT_STREQ(text.encodingName, name);
    }
    EXPECT_EQ(decodeText(std::string("\xFF\xFE\x3D\xD8\x08\xDE", 6), TextEncoding::Unicode,
                         shiftJisToUtf8)
                  .utf8,
              "\xF0\x9F\x98\x88");  // a surrogate pair
}

TEST(TextDecoding, NamedCodePages) {
    EXPECT_EQ(decodeText("\x94\x4C\r\n\x83\x65", TextEncoding::Cp932, shiftJisToUtf8).utf8,
              "\xE7\x8C\xAB\r\n\xE3\x83\x86");
    EXPECT_EQ(decodeText("caf\xE9 \x80\x93", TextEncoding::Cp1252, shiftJisToUtf8).utf8,
              "caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x9C");
    TextEncoding e{};
    EXPECT_TRUE(textEncodingNamed("Shift_JIS", e) && e == TextEncoding::Cp932);
    EXPECT_FALSE(textEncodingNamed("ebcdic", e));
}

TEST(TextDecoding, InvalidBytesNameTheirLine) {
    const std::tuple<std::string, TextEncoding, int> cases[] = {
        {"a\nb\n\xC3\x28", TextEncoding::Unicode, 3},
        {"a\n\xED\xA0\x80", TextEncoding::Unicode, 2},  // an encoded surrogate
        {"\xC0\xAF", TextEncoding::Unicode, 1},         // overlong
        {"ok\n\x81\n", TextEncoding::Cp1252, 2},
        {"ok\nok\n\x82\x0A", TextEncoding::Cp932, 3},
        {std::string("\xFF\xFE\n\x00\x00\xDC", 6), TextEncoding::Unicode, 2},
        {std::string("\xFF\xFE\n\x00\x41", 5), TextEncoding::Unicode, 2},  // half a unit
    };
    for (const auto& [bytes, encoding, line] : cases) {
        const auto text = decodeText(bytes, encoding, shiftJisToUtf8);
        EXPECT_EQ(text.result, TextDecodeResult::Invalid) << bytes;
        EXPECT_EQ(text.badLine, line) << bytes;
    }
}

}  // namespace
}  // namespace velmorin

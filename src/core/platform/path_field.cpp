#include "platform/path_field.h"

#include <algorithm>
#include <cstring>

#include "common/text_format.h"
#include "platform/code_page.h"

namespace velmorin {

bool encodePathField(const std::string& utf8, std::uint8_t* field) {
    const auto sjis = utf8ToShiftJis(utf8);
    if (!sjis || sjis->size() >= kPathFieldSize || sjis->find('\0') != std::string::npos)
        return false;
    std::memset(field, 0, kPathFieldSize);
    std::memcpy(field, sjis->data(), sjis->size());
    return true;
}

bool pathFitsField(const std::string& utf8) {
    std::uint8_t field[kPathFieldSize];
    return encodePathField(utf8, field);
}

std::optional<std::string> decodePathField(const std::uint8_t* field) {
    const auto* end = std::find(field, field + kPathFieldSize, std::uint8_t{0});
    return shiftJisToUtf8(
        std::string(reinterpret_cast<const char*>(field), static_cast<std::size_t>(end - field)));
}

std::string pathNotStorableMessage(const std::string& utf8) {
    return formatText(
        "%s\nこのパスは保存できません（Shift-JISで259バイトを超えるか、Shift-"
        "JISで表せない文字を含んでいます）.",
        utf8.c_str());
}

}  // namespace velmorin

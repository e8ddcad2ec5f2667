#include "json.h"

#include <cstdio>

namespace velmorin::cli {

std::string jsonQuoted(const std::string& utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += ch;
                }
        }
    }
    return out + "\"";
}

std::string jsonSeconds(TitleTime time) {
    char text[40];
    std::snprintf(text, sizeof text, "%.5f",
                  static_cast<double>(time) / static_cast<double>(kTicksPerSecond));
    return text;
}

std::string jsonSpan(const TitleSpan& span) {
    return span.empty() ? "null"
                        : "[" + jsonSeconds(span.start) + "," + jsonSeconds(span.end) + "]";
}

}  // namespace velmorin::cli

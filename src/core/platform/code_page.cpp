#include "platform/code_page.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace velmorin {

namespace {

#if defined(_WIN32)
std::optional<std::string> convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return std::string();
    const int wide = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0) return std::nullopt;
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        w.data(), wide);
    BOOL lossy = FALSE;
    const int bytes = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr,
                                          to == CP_UTF8 ? nullptr : &lossy);
    if (bytes <= 0 || lossy) return std::nullopt;
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(to, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
    return out;
}
#else
std::optional<std::string> convert(const std::string& text, const char* from, const char* to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
#endif

}  // namespace

std::optional<std::string> utf8ToShiftJis(const std::string& utf8) {
#if defined(_WIN32)
    return convert(utf8, CP_UTF8, 932);
#else
    return convert(utf8, "UTF-8", "CP932");
#endif
}

std::optional<std::string> shiftJisToUtf8(const std::string& shiftJis) {
#if defined(_WIN32)
    return convert(shiftJis, 932, CP_UTF8);
#else
    return convert(shiftJis, "CP932", "UTF-8");
#endif
}

}  // namespace velmorin

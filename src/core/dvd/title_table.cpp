#include "dvd/title_table.h"

#include "common/text_format.h"
#include "dvd/ifo_file.h"
#include "platform/native_path.h"

namespace velmorin {

namespace {

constexpr std::uint64_t kTitleTable = 0x800;
constexpr std::uint64_t kFirstEntry = 0x808;
constexpr std::uint64_t kEntrySize = 12;
constexpr std::size_t kMinimumLength = 4096;

}  // namespace

std::vector<std::string> titleInformationLines(const ByteReader& vmgi) {
    std::vector<std::string> lines;
    const std::uint16_t titles = vmgi.be16(kTitleTable);
    for (std::uint64_t i = 0; i < titles; ++i) {
        const std::uint64_t entry = kFirstEntry + kEntrySize * i;
        if (!vmgi.holds(entry, kEntrySize)) break;
        lines.push_back(
            formatText(" ﾀｲﾄﾙ%02d: [VTS番号:%2d  VTS内ﾀｲﾄﾙ番号:%2d  ｱﾝｸﾞﾙ数:%2d  ﾁｬﾌﾟﾀｰ数:%2d]",
                       static_cast<int>(i + 1), vmgi.u8(entry + 6), vmgi.u8(entry + 7),
                       vmgi.u8(entry + 1), vmgi.be16(entry + 2)));
    }
    return lines;
}

std::optional<std::vector<std::string>> readTitleInformation(const std::string& folder, Ui& ui,
                                                             Platform& platform) {
    const std::string base = withTrailingSeparator(folder);
    const auto found = findFiles(platform, base, "VIDEO_TS.IFO");
    IfoBuffer ifo;
    if (found.empty() || !ifo.load(base + found.front())) {
        ui.error(kVideoTsIfoMissing);
        return std::nullopt;
    }
    if (ifo.length() < kMinimumLength) {
        ui.error(kNoTitleInformation);
        return std::nullopt;
    }
    return titleInformationLines(ifo.reader());
}

}  // namespace velmorin

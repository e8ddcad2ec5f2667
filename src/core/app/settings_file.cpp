#include "app/settings_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "common/little_endian.h"
#include "common/text_format.h"
#include "platform/binary_file.h"
#include "platform/native_path.h"
#include "platform/path_field.h"
#include "platform/user_folders.h"

namespace velmorin {

namespace {

constexpr std::size_t kMagic = 0;
constexpr std::size_t kLastSourceFolder = 23;
constexpr std::size_t kPlayerPath = 283;
constexpr std::size_t kPlayTimeIndex = 543;
constexpr std::size_t kMpgWorkingFiles = 547;
constexpr std::size_t kPreviewEnabled = 551;

const std::string& magic() {
    static const std::string text = formatText("VELMORIN%04XHST", 256);
    return text;
}

bool endsWithExeIgnoringCase(const std::string& path) {
    if (path.size() <= 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return tail == ".EXE";
}

}  // namespace

std::string settingsPathFor(const std::string& programPath) {
    if (endsWithExeIgnoringCase(programPath))
        return programPath.substr(0, programPath.size() - 4) + ".DAT";
    return programPath + ".DAT";
}

SettingsImage encodeSettings(const Settings& s) {
    SettingsImage image{};
    std::memcpy(image.data() + kMagic, magic().data(), magic().size());
    encodePathField(s.lastSourceFolder, image.data() + kLastSourceFolder);
    encodePathField(s.playerPath, image.data() + kPlayerPath);
    writeLe32(image.data() + kPlayTimeIndex, static_cast<std::uint32_t>(s.playTimeIndex));
    writeLe32(image.data() + kMpgWorkingFiles, s.mpgWorkingFiles ? 1 : 0);
    writeLe32(image.data() + kPreviewEnabled, s.previewEnabled ? 1 : 0);
    return image;
}

SettingsRead decodeSettings(const std::uint8_t* data, std::size_t size, const Settings& defaults) {
    const std::size_t n = std::min(size, kSettingsFileSize);
    if (n < magic().size() || std::memcmp(data, magic().data(), magic().size()) != 0)
        return {defaults, SettingsFileState::WrongMagic, n};

    // Field by field over the defaults: a field read short keeps the bytes that came,
    // then the rest of its default, so the image is the file's bytes followed by the
    // defaults' bytes.
    SettingsImage image = encodeSettings(defaults);
    std::memcpy(image.data(), data, n);
    Settings s = defaults;
    if (const auto folder = decodePathField(image.data() + kLastSourceFolder))
        s.lastSourceFolder = *folder;
    if (const auto player = decodePathField(image.data() + kPlayerPath)) s.playerPath = *player;
    s.playTimeIndex = static_cast<std::int32_t>(readLe32(image.data() + kPlayTimeIndex));
    if (s.playTimeIndex < 0 || s.playTimeIndex >= Settings::kPlayTimes)
        s.playTimeIndex = Settings::kDefaultPlayTimeIndex;
    s.mpgWorkingFiles = readLe32(image.data() + kMpgWorkingFiles) != 0;
    s.previewEnabled = readLe32(image.data() + kPreviewEnabled) != 0;
    return {s, n < kSettingsFileSize ? SettingsFileState::Short : SettingsFileState::Complete, n};
}

Settings loadSettings(const std::string& path, const Settings& defaults) {
    BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Read);
    if (!file.isOpen()) return defaults;
    SettingsImage bytes{};
    const std::size_t n = file.read(bytes.data(), bytes.size());
    file.close();
    const SettingsRead read = decodeSettings(bytes.data(), n, defaults);
    if (read.state != SettingsFileState::Complete) removeFile(path);
    return read.settings;
}

void saveSettings(const std::string& path, const Settings& settings) {
    const SettingsImage image = encodeSettings(settings);
    // The user's own folder of an installed program may not exist before the first exit.
    createFolders(utf8Path(nativePath(path).parent_path()));
    replaceFile(path, [&](BinaryFile& file) { return file.write(image.data(), image.size()); });
}

}  // namespace velmorin

#include "app/path_browser.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "common/path_text.h"
#include "platform/native_path.h"

namespace velmorin {

namespace {

// Up to, and including, the separator before the last folder name; the root of the file
// tree ("/", or a drive's "X:\\") stays.
std::string parentFolder(const std::string& folder) {
    if (folder.size() <= fileTreeRootOf(folder).size()) return folder;
    const auto last = folder.find_last_of(kFolderSeparator, folder.size() - 2);
    if (last == std::string::npos) return folder;
    return folder.substr(0, last + 1);
}

// The order of a sorted list box: letters compared without regard to case, names that
// differ only in case kept in byte order so the list does not depend on the search.
void sortIgnoringCase(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = upperAscii(a), ub = upperAscii(b);
        return ua != ub ? ua < ub : a < b;
    });
}

bool isDriveRoot(const std::string& root) {
    return root.size() >= 2 && root[1] == ':' && std::isalpha(static_cast<unsigned char>(root[0]));
}

}  // namespace

bool isOnVolume(const std::string& path, const std::string& root) {
    if (path.size() < root.size()) return false;
    if (!isDriveRoot(root)) return path.compare(0, root.size(), root) == 0;
    return std::toupper(static_cast<unsigned char>(path[0])) ==
               std::toupper(static_cast<unsigned char>(root[0])) &&
           path.compare(1, root.size() - 1, root, 1) == 0;
}

std::string volumeOpeningFolder(const std::string& root, const std::string& current) {
    if (current.empty() || !isOnVolume(current, root)) return root;
    // The drive's letter as the volume list spells it.
    return root.substr(0, 1) + withTrailingSeparator(current).substr(1);
}

PathBrowser::PathBrowser(Platform& platform, Kind kind, std::string programFolder,
                         std::string viewerPattern)
    : platform_(platform),
      kind_(kind),
      programFolder_(std::move(programFolder)),
      viewerPattern_(std::move(viewerPattern)) {}

void PathBrowser::refresh(const std::string& path) {
    folders_.clear();
    files_.clear();
    volumes_.clear();
    selectedFiles_.clear();
    listVolumes();
    folder_ = path.empty() ? volumeRootOf(withTrailingSeparator(programFolder_))
                           : withTrailingSeparator(path);

    for (const auto& entry : platform_.listFolder(folder_).value_or(std::vector<FolderEntry>{}))
        if (entry.isDirectory) folders_.push_back(entry.name);
    folders_.push_back("..");
    sortIgnoringCase(folders_);
    listFiles();
    if (!files_.empty()) selectedFiles_ = {0};

    const std::string root = volumeRootOf(folder_);
    const auto it = std::find_if(volumes_.begin(), volumes_.end(), [&](const Volume& v) {
        return root.size() == v.root.size() && isOnVolume(root, v.root);
    });
    selectedVolume_ = it == volumes_.end() ? 0 : static_cast<int>(it - volumes_.begin());
}

void PathBrowser::listVolumes() {
    volumes_ = platform_.volumes();
}

void PathBrowser::listFiles() {
    if (kind_ == Kind::Source) return listSourceFiles();
    if (viewerPattern_ == kProgramsPattern && !programsAreNamedExe()) {
        for (const auto& entry : platform_.listFolder(folder_).value_or(std::vector<FolderEntry>{}))
            if (entry.isExecutable) files_.push_back(entry.name);
    } else {
        files_ = findFiles(platform_, folder_, viewerPattern_);
    }
    sortIgnoringCase(files_);
}

void PathBrowser::listSourceFiles() {
    // Sort keys compared as byte strings; 0x01 puts every one-digit part of a title set
    // before its two-digit parts (VTS_01_9.VOB before VTS_01_10.VOB).
    std::vector<std::pair<std::string, std::string>> entries;  // key, name
    const auto add = [&](const std::string& pattern, std::size_t length, auto keyOf) {
        for (const auto& name : findFiles(platform_, folder_, pattern)) {
            if (entries.size() >= kMaxSourceFiles) return;
            if (length == 0 || name.size() == length) entries.emplace_back(keyOf(name), name);
        }
    };
    if (listsVtsiFiles_) {
        add("VTS_??_0.IFO", 0, [](const std::string& n) { return n.substr(4, 2) + "  "; });
    } else {
        add("VTS_??_?.VOB", 12,
            [](const std::string& n) { return n.substr(4, 2) + '\x01' + n[7]; });
        add("VTS_??_??.VOB", 13,
            [](const std::string& n) { return n.substr(4, 2) + n.substr(7, 2); });
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& e : entries) files_.push_back(std::move(e.second));
}

std::string PathBrowser::volumeRootOf(const std::string& path) const {
    // The longest volume root that the path starts with; the path's own first folder
    // level when no volume holds it.
    std::string best;
    for (const auto& v : volumes_)
        if (isOnVolume(path, v.root) && v.root.size() > best.size()) best = v.root;
    if (!best.empty()) return best;
    return fileTreeRootOf(path);
}

void PathBrowser::chooseFolder(int index) {
    if (index < 0 || index >= static_cast<int>(folders_.size())) return;
    const std::string& name = folders_[static_cast<std::size_t>(index)];
    if (name == "..") return refresh(parentFolder(folder_));
    refresh(folder_ + name + kFolderSeparator);
}

void PathBrowser::goToVolumeRoot() {
    refresh(volumeRootOf(folder_));
}

void PathBrowser::chooseVolume(int index) {
    if (index < 0 || index >= static_cast<int>(volumes_.size())) return;
    const Volume volume = volumes_[static_cast<std::size_t>(index)];
    const std::optional<std::string> current = platform_.enterVolume(volume.root);
    if (!current) {
        // A drive without a medium: show where it would be, with no folders to enter.
        folder_ = volume.root;
        folders_.clear();
        selectedVolume_ = index;
        return;
    }
    refresh(volumeOpeningFolder(volume.root, *current));
}

std::string PathBrowser::selectedPath() const {
    const std::string folder = withTrailingSeparator(folder_);
    if (selectedFiles_.empty() || selectedFiles_.front() >= static_cast<int>(files_.size()))
        return folder;
    return folder + files_[static_cast<std::size_t>(selectedFiles_.front())];
}

int PathBrowser::horizontalExtent(int clientWidth, const std::vector<int>& nameWidths, int margin) {
    int extent = clientWidth;
    for (int width : nameWidths) extent = std::max(extent, width + margin);
    return extent;
}

}  // namespace velmorin

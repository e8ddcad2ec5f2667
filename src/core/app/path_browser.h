// What the two path selection dialogs show and do, without their windows: the current
// folder, its sub-folders, the files they offer, the volumes, and navigation among them.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmorin {

// Whether `path` lies on the volume whose root is `root`. A drive letter matches in either
// case ("c:\\dvd\\" lies on "C:\\"), as the file system takes it; the rest of the root
// compares as bytes.
bool isOnVolume(const std::string& path, const std::string& root);

// The folder a chosen volume opens: `current`, the folder the volume is in, when it lies on
// it, else its root; with its separator at the end.
std::string volumeOpeningFolder(const std::string& root, const std::string& current);

class PathBrowser {
public:
    // The source dialog lists VTSI or VOB files by the title-set rules; the viewer dialog
    // lists every match of its one wildcard pattern.
    enum class Kind { Source, Viewer };

    PathBrowser(Platform& platform, Kind kind, std::string programFolder,
                std::string viewerPattern = {});

    // The viewer pattern that means "programs": "*.EXE" on Windows; elsewhere, where
    // programs carry no extension, every executable file of the folder.
    static constexpr const char* kProgramsPattern = "*.EXE";

    // The source dialog's file list: VTSI files (true) or VOB files (false).
    void setListsVtsiFiles(bool on) { listsVtsiFiles_ = on; }

    // Shows `path` (an empty one means the root of the program's volume) with its lists.
    void refresh(const std::string& path);
    // A click on a folder list entry: ".." goes up (not past a root), others go down.
    void chooseFolder(int index);
    // The root button: the root of the volume that holds the current folder.
    void goToVolumeRoot();
    // A click on a volume: it becomes the current volume and shows the folder it is in
    // (on Windows the drive's current directory), or, when it cannot be entered, its root
    // with no folders.
    void chooseVolume(int index);

    const std::string& folder() const { return folder_; }
    const std::vector<std::string>& folders() const { return folders_; }
    const std::vector<std::string>& files() const { return files_; }
    const std::vector<Volume>& volumes() const { return volumes_; }
    int selectedVolume() const { return selectedVolume_; }
    const std::vector<int>& selectedFiles() const { return selectedFiles_; }
    void setSelectedFiles(std::vector<int> indexes) { selectedFiles_ = std::move(indexes); }

    // The viewer dialog's result: the folder and its selected file, or the folder alone.
    std::string selectedPath() const;

    // Horizontal scroll extent of a list in pixels: its client width, or wider where its
    // widest name (measured in the list's font) and the margin the list draws it with need it.
    static int horizontalExtent(int clientWidth, const std::vector<int>& nameWidths, int margin);

    static constexpr std::size_t kMaxSourceFiles = 128;

private:
    void listFiles();
    void listSourceFiles();
    void listVolumes();
    std::string volumeRootOf(const std::string& path) const;

    Platform& platform_;
    Kind kind_;
    std::string programFolder_;
    std::string viewerPattern_;
    bool listsVtsiFiles_ = false;

    std::string folder_;
    std::vector<std::string> folders_;
    std::vector<std::string> files_;
    std::vector<Volume> volumes_;
    int selectedVolume_ = 0;
    std::vector<int> selectedFiles_;
};

}  // namespace velmorin

// The few operating-system services the program's rules need, behind one seam so that
// tests can stand in for them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmorin {

struct FolderEntry {
    std::string name;
    bool isDirectory = false;
    bool isExecutable = false;  // a program the system can start
};

struct Volume {
    std::string label;  // as the drive list shows it
    std::string root;   // ends in the folder separator
};

class Platform {
public:
    virtual ~Platform() = default;

    // Every entry of a folder except "." and "..", hidden ones included, sorted by name
    // as byte strings; nothing when the folder cannot be read.
    virtual std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) = 0;
    // The volumes a user can browse: drive letters on Windows, mounted volumes elsewhere.
    virtual std::vector<Volume> volumes() = 0;
    // Makes the volume whose root is `root` the current one and gives the folder it is in
    // (a whole path): on Windows, where each drive keeps a current directory of its own, that
    // directory; elsewhere the root. Nothing when it cannot be entered (a drive without a
    // medium).
    virtual std::optional<std::string> enterVolume(const std::string& root) = 0;
    // Starts `program` with `argument` as its one argument, without a shell, and does not
    // wait for it; false when it could not be started.
    virtual bool startProgram(const std::string& program, const std::string& argument) = 0;
};

// The player a first start offers: Windows Media Player on the system drive on Windows,
// the desktop's opener (xdg-open) elsewhere.
std::string defaultPlayerPath();

// The platform the program runs on.
Platform& systemPlatform();

// File names in `folder` (not directories) that match `pattern` in either case.
std::vector<std::string> findFiles(Platform& platform, const std::string& folder,
                                   const std::string& pattern);

}  // namespace velmorin

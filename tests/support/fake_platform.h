// An in-memory file tree for tests of browsing and file finding.
#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/path_text.h"
#include "platform/native_path.h"
#include "platform/platform.h"

namespace velmorin::test {

// A path of a fake tree written the POSIX way ("/dvd/a.vob") in the system's own form:
// unchanged on POSIX systems, on drive C: with backslashes on Windows ("C:\\dvd\\a.vob").
// Paths already in that form stay as they are.
inline std::string native(std::string path) {
#if defined(_WIN32)
    if (!path.empty() && path.front() == '/') path = "C:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

class FakePlatform : public Platform {
public:
    // Adds a file that the system could start.
    void addExecutable(const std::string& path) {
        add(path);
        executables_.insert(native(path));
    }
    // Adds a file (or, with a trailing separator, a folder) and every folder above it.
    // Takes native() paths.
    void add(const std::string& posixOrNative) {
        const std::string path = native(posixOrNative);
        const std::size_t rootLength = path.find(kFolderSeparator) + 1;  // "/" or "C:\\"
        std::string folder = path.substr(0, rootLength);
        std::size_t start = rootLength;
        for (auto slash = path.find(kFolderSeparator, start); slash != std::string::npos;
             slash = path.find(kFolderSeparator, start)) {
            const std::string name = path.substr(start, slash - start);
            entries_[folder].insert({name, true});
            folder += name + kFolderSeparator;
            start = slash + 1;
        }
        if (start < path.size()) entries_[folder].insert({path.substr(start), false});
        entries_.try_emplace(folder);
    }
    std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) override {
        if (unreadable.count(folder)) return std::nullopt;
        const auto it = entries_.find(folder);
        if (it == entries_.end()) return std::nullopt;
        std::vector<FolderEntry> out;
        for (const auto& [name, dir] : it->second)
            out.push_back({name, dir, executables_.count(folder + name) > 0});
        return out;
    }
    std::vector<Volume> volumes() override { return volumeList; }
    std::optional<std::string> enterVolume(const std::string& root) override {
        if (!listFolder(root)) return std::nullopt;
        const auto it = volumeFolders.find(root);
        return it == volumeFolders.end() ? root : it->second;
    }
    bool startProgram(const std::string& program, const std::string& argument) override {
        started.push_back({program, argument});
        return true;
    }

    std::vector<Volume> volumeList{{native("/"), native("/")}};
    std::set<std::string> unreadable;
    std::map<std::string, std::string> volumeFolders;  // a drive's current directory, by root
    std::vector<std::pair<std::string, std::string>> started;  // program, argument

private:
    std::map<std::string, std::set<std::pair<std::string, bool>>> entries_;
    std::set<std::string> executables_;
};

}  // namespace velmorin::test

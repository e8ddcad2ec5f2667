// An in-memory file tree for tests of browsing and file finding.
#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmorin::test {

class FakePlatform : public Platform {
public:
    // Adds a file that the system could start.
    void addExecutable(const std::string& path) {
        add(path);
        executables_.insert(path);
    }
    // Adds a file (or, with a trailing '/', a folder) and every folder above it.
    void add(const std::string& path) {
        std::string folder = "/";
        std::size_t start = 1;
        for (auto slash = path.find('/', start); slash != std::string::npos;
             slash = path.find('/', start)) {
            const std::string name = path.substr(start, slash - start);
            entries_[folder].insert({name, true});
            folder += name + "/";
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
    bool startProgram(const std::string& program, const std::string& argument) override {
        started.push_back({program, argument});
        return true;
    }

    std::vector<Volume> volumeList{{"/", "/"}};
    std::set<std::string> unreadable;
    std::vector<std::pair<std::string, std::string>> started;  // program, argument

private:
    std::map<std::string, std::set<std::pair<std::string, bool>>> entries_;
    std::set<std::string> executables_;
};

}  // namespace velmorin::test

// Runs the tool without a shell, with a time limit, and records how it ended; takes
// fingerprints of every file in a folder, to prove a failed run changed nothing.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace velmorin::test {

struct BoundedRun {
    int status = -1;  // exit status, or -1 when the process did not exit by itself
    int signal = 0;   // the signal that ended it, or 0
    bool timedOut = false;
    std::string out;
    std::string err;

    // How it ended, for failure messages: "status 1", "signal 11", "timed out".
    std::string ending() const;
};

struct BoundedRunOptions {
    std::chrono::milliseconds limit{30000};
    // Runs the process without the capabilities that let root read and write past the
    // permission bits (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH), so that a file with no read
    // permission is unreadable to it also when the tests run as root.
    bool withoutPermissionOverride = false;
};

// Runs `program` with `args`, standard input from /dev/null, output captured. A process
// still running at the time limit is killed with its process group.
BoundedRun runBounded(const std::string& program, const std::vector<std::string>& args,
                      const BoundedRunOptions& options = {});

// Whether runs with `withoutPermissionOverride` see a file with no permission bits as
// unreadable (false where the capability cannot be dropped).
bool permissionBitsHoldWithoutOverride();

// Every regular file under `folder`, by its path relative to the folder, with a
// fingerprint of its size, content and permission bits.
using FolderFingerprint = std::map<std::string, std::string>;
FolderFingerprint fingerprintFolder(const std::string& folder);

// The lines that differ between two fingerprints ("changed X", "added X", "removed X").
std::string fingerprintDifference(const FolderFingerprint& before, const FolderFingerprint& after);

// A folder's fingerprint taken now, to tell later what has changed in it.
class FolderWatch {
public:
    explicit FolderWatch(std::string folder)
        : folder_(std::move(folder)), before_(fingerprintFolder(folder_)) {}

    // fingerprintDifference() from then to now: empty when nothing changed.
    std::string changes() const {
        return fingerprintDifference(before_, fingerprintFolder(folder_));
    }

private:
    std::string folder_;
    FolderFingerprint before_;
};

}  // namespace velmorin::test

#include "bounded_run.h"

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <thread>

#include "pack_builder.h"

namespace velmorin::test {

namespace fs = std::filesystem;

namespace {

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void execChild(const std::string& program, std::vector<char*>& argv,
                            const std::string& outPath, const std::string& errPath,
                            bool dropOverride) {
    setpgid(0, 0);
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) _exit(125);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    if (dropOverride) {
        // Dropped from the bounding set, the capabilities are gone from the program that
        // exec starts, root or not.
        if (prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0) != 0 ||
            prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0) != 0) {
            if (geteuid() == 0) _exit(126);
        }
    }
    execv(program.c_str(), argv.data());
    _exit(127);
}

}  // namespace

std::string BoundedRun::ending() const {
    if (timedOut) return "timed out";
    if (signal != 0) return "signal " + std::to_string(signal);
    return "status " + std::to_string(status);
}

BoundedRun runBounded(const std::string& program, const std::vector<std::string>& args,
                      const BoundedRunOptions& options) {
    TempDir dir;
    const std::string outPath = dir.file("out"), errPath = dir.file("err");
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) execChild(program, argv, outPath, errPath, options.withoutPermissionOverride);
    setpgid(pid, pid);  // also here, so that the kill below finds the group either way

    BoundedRun result;
    const auto deadline = std::chrono::steady_clock::now() + options.limit;
    int raw = 0;
    for (auto pause = std::chrono::milliseconds(1);;
         pause = std::min(pause * 2, std::chrono::milliseconds(20))) {
        const pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid) break;
        if (done < 0) throw std::runtime_error("waitpid failed");
        if (std::chrono::steady_clock::now() >= deadline) {
            result.timedOut = true;
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
            waitpid(pid, &raw, 0);
            break;
        }
        std::this_thread::sleep_for(pause);
    }
    if (!result.timedOut) {
        if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
        if (WIFSIGNALED(raw)) result.signal = WTERMSIG(raw);
    }
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

bool permissionBitsHoldWithoutOverride() {
    static const bool holds = [] {
        TempDir dir;
        const std::string file = dir.file("closed");
        writeBytes(file, "x");
        fs::permissions(file, fs::perms::none);
        const BoundedRun r =
            runBounded("/bin/cat", {file}, {std::chrono::milliseconds(10000), true});
        fs::permissions(file, fs::perms::owner_all);
        return r.status != 0 && r.out.empty();
    }();
    return holds;
}

FolderFingerprint fingerprintFolder(const std::string& folder) {
    FolderFingerprint prints;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string relative = fs::relative(entry.path(), folder).string();
        if (entry.is_directory()) {
            prints[relative + "/"] = "folder";
            continue;
        }
        const auto perms = static_cast<unsigned>(fs::status(entry.path()).permissions());
        std::string print = "perms " + std::to_string(perms);
        if (entry.is_regular_file()) {
            // Read past the permission bits: the test process keeps its capabilities.
            const std::string bytes = readFile(entry.path().string());
            print += " size " + std::to_string(fs::file_size(entry.path())) + " hash " +
                     std::to_string(std::hash<std::string_view>{}(bytes));
        }
        prints[relative] = print;
    }
    return prints;
}

std::string fingerprintDifference(const FolderFingerprint& before, const FolderFingerprint& after) {
    std::string lines;
    for (const auto& [name, print] : before) {
        const auto it = after.find(name);
        if (it == after.end())
            lines += "removed " + name + "\n";
        else if (it->second != print)
            lines += "changed " + name + " (" + print + " -> " + it->second + ")\n";
    }
    for (const auto& [name, print] : after)
        if (!before.count(name)) lines += "added " + name + "\n";
    return lines;
}

}  // namespace velmorin::test

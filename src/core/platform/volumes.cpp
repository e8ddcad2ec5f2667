#include "platform/volumes.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "platform/native_path.h"

namespace velmorin {

namespace {

// /proc/self/mounts writes space, tab, newline and backslash as octal escapes.
std::string unescapeMountPath(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string digits = text.substr(i + 1, 3);
            if (digits.size() == 3 && digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool browsable(const std::string& mountPoint, const std::string& type) {
    static const std::set<std::string> discAndNetworkTypes = {
        "iso9660",    "udf",  "nfs",   "nfs4", "cifs",  "smb3",    "smbfs",
        "fuse.sshfs", "vfat", "exfat", "ntfs", "ntfs3", "fuseblk",
    };
    if (mountPoint == "/") return true;
    if (startsWith(mountPoint, "/media/") || startsWith(mountPoint, "/mnt/") ||
        startsWith(mountPoint, "/run/media/"))
        return true;
    return discAndNetworkTypes.count(type) > 0 && !startsWith(mountPoint, "/boot");
}

}  // namespace

std::vector<Volume> browsableVolumes(const std::string& mountsText) {
    std::vector<Volume> out;
    std::set<std::string> seen;
    std::istringstream lines(mountsText);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) continue;
        mountPoint = unescapeMountPath(mountPoint);
        if (!browsable(mountPoint, type) || !seen.insert(mountPoint).second) continue;
        out.push_back(Volume{mountPoint, withTrailingSeparator(mountPoint)});
    }
    std::sort(out.begin(), out.end(),
              [](const Volume& a, const Volume& b) { return a.root < b.root; });
    return out;
}

}  // namespace velmorin

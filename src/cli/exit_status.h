#pragma once

namespace velmorin::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitFailed = 1,
    kExitUsage = 2,
    kExitUnanswered = 3,
};

}  // namespace velmorin::cli

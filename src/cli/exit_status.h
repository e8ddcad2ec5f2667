#pragma once

namespace velmorin::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitFailed = 1,
    kExitUsage = 2,
    kExitUnanswered = 3,
};

// What a step of a subcommand returns: success, or the exit status the subcommand ends
// with (the step has printed why already). `if (const Failure f = step()) return f.status;`
struct [[nodiscard]] Failure {
    ExitStatus status = kExitOk;
    explicit operator bool() const { return status != kExitOk; }
};

inline constexpr Failure kSucceeded{};
inline constexpr Failure kFailed{kExitFailed};

}  // namespace velmorin::cli

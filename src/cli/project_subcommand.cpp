#include "project_subcommand.h"

#include "exit_status.h"
#include "project/project_file.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

int runProjectSubcommand(const std::vector<std::string>& args) {
    std::string problem;
    const auto parsed = parseArguments(args, OptionSpec{{}, {"--save"}}, problem);
    if (!parsed) return usageError("project", problem);
    if (parsed->help) return printUsage("project");
    if (!parsed->values.count("--save")) return usageError("project", "--save FILE is missing");

    TitleSession session(parsed->title);
    if (const Failure failed = session.open()) return failed.status;
    const std::string target = absolutePath(parsed->values.at("--save"));
    if (session.refusesAsOutput(target)) return kExitFailed;
    session.state().lastProjectPath = target;
    return saveProject(target, session.state(), session.ui()) ? kExitOk : kExitFailed;
}

}  // namespace velmorin::cli

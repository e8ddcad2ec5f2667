#pragma once

#include <string>
#include <vector>

#include "mute/mute_operation.h"

namespace velmorin::cli {

// velmorin-cli mute: returns the exit status.
int runMuteSubcommand(const std::vector<std::string>& args);

class TitleSession;

// Shows the message of a run of mutes that stopped at a failure; true when it did.
bool reportMuteFailure(TitleSession& session, const std::vector<GopMuteOutcome>& outcomes);

}  // namespace velmorin::cli

// Where the running program's own file is: its folder holds the settings file, options.txt
// and the working files.
#pragma once

#include <string>

namespace velmorin {

// The running program's full path, from the system (GetModuleFileNameW on Windows,
// /proc/self/exe elsewhere); when the system cannot tell, `argv0` made absolute.
std::string runningProgramPath(const std::string& argv0);

// Where the speech recogniser's English model is when no folder is named: on Windows
// pocketsphinx\model\en-us beside the running program (the zip's layout), elsewhere
// the pocketsphinx-en-us package's /usr/share/pocketsphinx/model/en-us.
std::string bundledSpeechModelFolder();

}  // namespace velmorin

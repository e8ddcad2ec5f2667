// A build without FFmpeg and pocketsphinx: no tools, and the reason.
#include "speech_tools.h"

namespace velmorin {

SpeechTools openSpeechTools() {
    SpeechTools tools;
    tools.unavailable = "this build has no speech library (FFmpeg and pocketsphinx)";
    return tools;
}

}  // namespace velmorin

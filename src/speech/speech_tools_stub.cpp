// A build without FFmpeg and pocketsphinx: no tools, and the reason (CMake says it).
#include "speech_tools.h"

namespace velmorin {

SpeechTools openSpeechTools() {
    SpeechTools tools;
    tools.unavailable = VELMORIN_NO_SPEECH_WHY;
    return tools;
}

}  // namespace velmorin

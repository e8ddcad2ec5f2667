// Measures the speech library: CPU seconds per minute of audio to decode 5.1 AC-3 to
// 16 kHz mono (one long span, and cue-sized spans that each start from a packet before
// them), the recogniser's model load, CPU seconds per minute of speech to align cues
// with the usual and with wide beams, and the peak resident memory. Makes its sound with
// ffmpeg and espeak-ng in FOLDER.
//
//   speech_bench FOLDER
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "speech_tools.h"

namespace {

using namespace velmorin;

constexpr std::size_t kFrameBytes = 1792;  // AC-3 at 448 kbit/s, 1536 samples a frame
constexpr TitleTime kFrameTicks = 2880;
constexpr std::size_t kPacketBytes = 2016;  // about what a DVD audio pack carries

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

bool run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) == 0) return true;
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    return false;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TitleAudio packets(const std::vector<std::uint8_t>& stream) {
    TitleAudio audio;
    audio.stream = 0;
    for (std::size_t at = 0; at < stream.size(); at += kPacketBytes) {
        AudioChunk chunk;
        const std::size_t end = std::min(stream.size(), at + kPacketBytes);
        chunk.bytes.assign(stream.begin() + at, stream.begin() + end);
        const std::size_t frame = (at + kFrameBytes - 1) / kFrameBytes;
        if (frame * kFrameBytes < end) {
            chunk.timed = true;
            chunk.firstAccessUnit = static_cast<int>(frame * kFrameBytes - at);
            chunk.time = static_cast<TitleTime>(frame) * kFrameTicks;
        }
        audio.chunks.push_back(std::move(chunk));
    }
    return audio;
}

// Cues of everyday speech, every word in the dictionary.
const char* const kCues[] = {
    "the morning train was late again so we walked to the station",
    "she told me that the yellow house on the corner was sold last week",
    "please bring seven apples and a loaf of bread when you come home",
    "nobody knew where the old captain had hidden the money",
    "we should leave before the rain starts or we will miss the film",
    "my brother plays the piano every evening after dinner",
    "i never thought i would see you here again",
    "turn left at the bridge and follow the river for a mile",
};

struct Cue {
    std::string grammar;
    std::vector<std::int16_t> samples;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: speech_bench FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    SpeechTools tools = openSpeechTools();
    if (!tools.available()) {
        std::fprintf(stderr, "%s\n", tools.unavailable.c_str());
        return 1;
    }

    // A minute of 5.1 AC-3 at 448 kbit/s: noise in every channel, as busy as a film's.
    const std::string ac3 = folder + "/speech_bench.ac3";
    if (!run("ffmpeg -y -f lavfi -i anoisesrc=d=60:c=pink:r=48000:a=0.3 -af "
             "\"pan=5.1|c0=c0|c1=0.8*c0|c2=0.6*c0|c3=0.1*c0|c4=0.5*c0|c5=0.4*c0\" -c:a ac3 "
             "-b:a 448k -f ac3 " +
             ac3))
        return 1;
    const TitleAudio audio = packets(readFile(ac3));
    std::vector<std::int16_t> samples;
    std::string problem;
    double start = cpuSeconds();
    if (!tools.decoder->decode(audio, {0, 60 * kTicksPerSecond}, samples, problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    std::printf("decode 5.1 AC-3, one span of 60 s: %.3f CPU s per minute\n", cpuSeconds() - start);
    start = cpuSeconds();
    for (int i = 0; i < 20; ++i) {
        const TitleTime from = i * 3 * kTicksPerSecond;
        tools.decoder->decode(audio, {from, from + 3 * kTicksPerSecond}, samples, problem);
    }
    std::printf("decode 5.1 AC-3, 20 spans of 3 s: %.3f CPU s per minute\n", cpuSeconds() - start);

    std::vector<Cue> cues;
    double speech = 0;
    for (const char* text : kCues) {
        const std::string wav = folder + "/speech_bench_cue.wav";
        const std::string raw = folder + "/speech_bench_cue.raw";
        if (!run(std::string("espeak-ng -v en-us+m3 -w ") + wav + " \"" + text + "\"") ||
            !run("sox " + wav + " -r 16000 -b 16 -c 1 -e signed -L -t raw " + raw))
            return 1;
        const auto bytes = readFile(raw);
        Cue cue;
        cue.grammar = std::string("#JSGF V1.0;\ngrammar cue;\npublic <cue> = ") + text + ";\n";
        cue.samples.resize(bytes.size() / 2);
        for (std::size_t i = 0; i < cue.samples.size(); ++i)
            cue.samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        speech += static_cast<double>(cue.samples.size()) / kSpeechSampleRate;
        cues.push_back(std::move(cue));
    }

    const auto wall = std::chrono::steady_clock::now();
    start = cpuSeconds();
    tools.aligner->knowsWord("morning");
    std::printf("model load: %.3f CPU s, %.3f s\n", cpuSeconds() - start,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count());
    for (const auto effort : {AlignEffort::Normal, AlignEffort::WideBeams}) {
        int aligned = 0;
        start = cpuSeconds();
        for (int round = 0; round < 3; ++round)
            for (const Cue& cue : cues)
                aligned += !tools.aligner->align(cue.grammar, cue.samples, effort).empty();
        const double cpu = cpuSeconds() - start;
        std::printf(
            "align %s beams, %zu cues of %.1f s in all, 3 rounds: %.3f CPU s per minute "
            "(%d of %zu aligned)\n",
            effort == AlignEffort::Normal ? "usual" : "wide", cues.size(), speech,
            cpu * 60 / (3 * speech), aligned, 3 * cues.size());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MiB\n", usage.ru_maxrss / 1024.0);
    return 0;
}

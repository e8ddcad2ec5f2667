// Says English sentences with espeak-ng and writes, for each, a WAV file and the time of
// every word in it, so that tests know where each word of a title's speech lies.
//
//   speak_words SENTENCES OUTDIR [--voice NAME] [--rate WPM] [--word-gap MS]
//
// SENTENCES holds one sentence a line (UTF-8). OUTDIR/NN.wav (from 01) is sentence NN,
// 16-bit mono at espeak-ng's rate. Standard output is one JSON document:
//   {"rate":22050,"sentences":[{"wav":"01.wav","seconds":2.4,
//     "words":[{"text":"Damn","start":0.012,"end":0.391}, ...]}, ...]}
// A word starts where espeak-ng's word event puts it and ends where the next word starts
// or the sentence's sound ends, less the quiet tail (pauses at commas, the sentence's
// closing silence) found by the sound's energy.
#include <espeak-ng/speak_lib.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct WordEvent {
    int textPosition = 0;  // characters from the sentence's start, from 1
    int length = 0;        // characters
    int audioMs = 0;
};

struct Synthesis {
    std::vector<std::int16_t> samples;
    std::vector<WordEvent> words;
};

int onSynth(short* wav, int count, espeak_EVENT* events) {
    auto* out = static_cast<Synthesis*>(events->user_data);
    if (wav && count > 0) out->samples.insert(out->samples.end(), wav, wav + count);
    for (espeak_EVENT* e = events; e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        // After a clause break espeak-ng may report a word of no length: not a word.
        if (e->type == espeakEVENT_WORD && e->length > 0)
            out->words.push_back({e->text_position, e->length, e->audio_position});
    }
    return 0;
}

// Below this RMS level (dBFS) a 10 ms window counts as quiet.
constexpr double kQuietDbfs = -40.0;

bool loudWindow(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
    if (to <= from) return false;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
    const double rms = std::sqrt(sum / double(to - from)) / 32768.0;
    return rms > 0 && 20 * std::log10(rms) > kQuietDbfs;
}

// The end of the last loud 10 ms window in [from, to), or `to` when none is loud (a word
// that is all quiet keeps its span, and the maker's check of the sound catches it).
std::size_t trimTail(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to,
                     int rate) {
    const std::size_t window = std::size_t(rate) / 100;
    for (std::size_t end = to; end > from;) {
        const std::size_t start = end > from + window ? end - window : from;
        if (loudWindow(s, start, end)) return end;
        end = start;
    }
    return to;
}

// Characters [pos, pos + len) of UTF-8 `text`, positions counted in code points from 1.
std::string codePoints(const std::string& text, int pos, int len) {
    std::string out;
    int index = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = text[i];
        if ((c & 0xC0) != 0x80) ++index;
        if (index >= pos && index < pos + len) out += char(c);
    }
    return out;
}

// The word without the punctuation around it ("Damn," -> "Damn").
std::string bare(std::string w) {
    auto isWordChar = [](unsigned char c) { return std::isalnum(c) || c == '\'' || c >= 0x80; };
    while (!w.empty() && !isWordChar(w.back())) w.pop_back();
    std::size_t i = 0;
    while (i < w.size() && !isWordChar(w[i])) ++i;
    return w.substr(i);
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

void put32(std::ostream& o, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) o.put(char(v >> (8 * i) & 0xFF));
}
void put16(std::ostream& o, std::uint16_t v) {
    o.put(char(v & 0xFF));
    o.put(char(v >> 8));
}

bool writeWav(const std::string& path, const std::vector<std::int16_t>& s, int rate) {
    std::ofstream o(path, std::ios::binary);
    const std::uint32_t bytes = std::uint32_t(s.size() * 2);
    o.write("RIFF", 4);
    put32(o, 36 + bytes);
    o.write("WAVEfmt ", 8);
    put32(o, 16);
    put16(o, 1);  // PCM
    put16(o, 1);  // mono
    put32(o, std::uint32_t(rate));
    put32(o, std::uint32_t(rate) * 2);
    put16(o, 2);
    put16(o, 16);
    o.write("data", 4);
    put32(o, bytes);
    for (std::int16_t v : s) put16(o, std::uint16_t(v));
    return bool(o);
}

int usage() {
    std::cerr << "usage: speak_words SENTENCES OUTDIR [--voice NAME] [--rate WPM] "
                 "[--word-gap MS]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string sentencesPath = argv[1], outDir = argv[2];
    std::string voice = "en-us";
    int wpm = 150, gapMs = 0;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string opt = argv[i];
        if (opt == "--voice")
            voice = argv[i + 1];
        else if (opt == "--rate")
            wpm = std::atoi(argv[i + 1]);
        else if (opt == "--word-gap")
            gapMs = std::atoi(argv[i + 1]);
        else
            return usage();
    }
    if ((argc - 3) % 2) return usage();

    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    if (rate <= 0) {
        std::cerr << "speak_words: espeak-ng did not start\n";
        return 1;
    }
    if (espeak_SetVoiceByName(voice.c_str()) != EE_OK) {
        std::cerr << "speak_words: no voice " << voice << "\n";
        return 1;
    }
    espeak_SetParameter(espeakRATE, wpm, 0);
    espeak_SetParameter(espeakWORDGAP, gapMs / 10, 0);  // in 10 ms units
    espeak_SetSynthCallback(onSynth);

    std::ifstream in(sentencesPath);
    if (!in) {
        std::cerr << "speak_words: cannot read " << sentencesPath << "\n";
        return 1;
    }
    std::ostringstream json;
    json << "{\"rate\":" << rate << ",\"sentences\":[";
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        Synthesis syn;
        if (espeak_Synth(line.c_str(), line.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                         nullptr, &syn) != EE_OK ||
            espeak_Synchronize() != EE_OK || syn.samples.empty()) {
            std::cerr << "speak_words: espeak-ng could not say: " << line << "\n";
            return 1;
        }
        char name[16];
        std::snprintf(name, sizeof name, "%02d.wav", ++n);
        if (!writeWav(outDir + "/" + name, syn.samples, rate)) {
            std::cerr << "speak_words: cannot write " << outDir << "/" << name << "\n";
            return 1;
        }
        json << (n > 1 ? "," : "") << "{\"wav\":\"" << name << "\",\"text\":" << jsonString(line)
             << ",\"seconds\":" << double(syn.samples.size()) / rate << ",\"words\":[";
        for (std::size_t w = 0; w < syn.words.size(); ++w) {
            const std::size_t start =
                std::min(syn.samples.size(), std::size_t(syn.words[w].audioMs) * rate / 1000);
            const std::size_t next = w + 1 < syn.words.size()
                                         ? std::size_t(syn.words[w + 1].audioMs) * rate / 1000
                                         : syn.samples.size();
            const std::size_t end =
                trimTail(syn.samples, start, std::min(next, syn.samples.size()), rate);
            // Up to the next word's position: espeak-ng says some pairs ("on the") as one
            // word and reports only the first.
            const int pos = syn.words[w].textPosition;
            const int len =
                w + 1 < syn.words.size() ? syn.words[w + 1].textPosition - pos : int(line.size());
            const std::string text = bare(codePoints(line, pos, len));
            json << (w ? "," : "") << "{\"text\":" << jsonString(text)
                 << ",\"start\":" << double(start) / rate << ",\"end\":" << double(end) / rate
                 << "}";
        }
        json << "]}";
    }
    espeak_Terminate();
    json << "]}\n";
    std::cout << json.str();
    return 0;
}

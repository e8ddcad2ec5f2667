// Feeds arbitrary bytes to the readers of the files that say what to silence by time: the
// text decoder, then the EDL, subtitle, typed span and word list readers and the word
// matcher on whatever text came out, then the span helpers on what they read; then the
// cleaning of each cue (and of the whole text as one cue) into spoken words and their
// grammar for a dictionary that knows a few words, whose every word must pass the
// grammar's whitelist.
//
// Input: one byte naming the encoding (its value modulo 3), then the file's bytes.
// `fuzz_timing_texts --make-seeds DIR VIDEO_TS` writes an EDL list, SubRip and WebVTT files
// and a word list in the encodings the decoder takes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/text_decoding.h"
#include "fuzz_files.h"
#include "platform/code_page.h"
#include "timed/span_request.h"
#include "timing/edl_file.h"
#include "timing/span_list.h"
#include "timing/subtitle_file.h"
#include "timing/subtitle_spans.h"
#include "timing/title_time_text.h"
#include "timing/word_list.h"
#include "words/alignment_grammar.h"
#include "words/cue_text.h"
#include "words/letter_sounds.h"

namespace {

using namespace velmorin;

void writeSeed(const std::string& path, char encoding, const std::string& bytes) {
    const std::string input = encoding + bytes;
    test::writeInputFile(path, reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

// Knows the words of the seeds, a number and anything beginning with 'x'.
struct FewWords : WordAligner {
    bool ready() override { return true; }
    std::string_view language() const override { return "en"; }
    bool knowsWord(std::string_view w) const override {
        return w == "damn" || w == "it" || w == "top" || w == "hi" || w == "there" || w == "2" ||
               w.starts_with('x');
    }
    bool addWord(std::string_view, std::string_view) override { return false; }
    std::vector<AlignedWord> align(std::string_view, std::span<const std::int16_t>,
                                   AlignEffort) override {
        return {};
    }
};

// The cleaning of a cue, its occurrences of listed words and its grammar.
void checkWords(std::string_view text, const WordMatcher& words) {
    const SpokenText spoken = spokenWords(text);
    for (const WordOccurrence& o : findOccurrences(spoken.words, words.list()))
        if (o.count < 1 || o.first < 0 ||
            static_cast<std::size_t>(o.first + o.count) > spoken.words.size())
            std::abort();
    for (const CueWord& w : spoken.words) {
        const std::string phones = guessPronunciation(w.text);
        if (!phones.empty() && !isPronunciation(phones)) std::abort();
    }
    const AlignmentGrammar grammar = alignmentGrammar(spoken.words, FewWords());
    if (grammar.text.empty()) {
        if (!grammar.cueWords.empty()) std::abort();
        return;
    }
    const std::string_view head = "#JSGF V1.0;\ngrammar cue;\npublic <cue> = ";
    const std::string_view tail = " ;\n";
    std::string_view sentence = grammar.text;
    if (!sentence.starts_with(head) || !sentence.ends_with(tail)) std::abort();
    sentence = sentence.substr(head.size(), sentence.size() - head.size() - tail.size());
    std::size_t tokens = 0;
    for (std::size_t at = 0; at <= sentence.size(); ++tokens) {
        const std::size_t end = std::min(sentence.find(' ', at), sentence.size());
        if (!isGrammarToken(sentence.substr(at, end - at))) std::abort();
        at = end + 1;
    }
    if (tokens != grammar.cueWords.size()) std::abort();
    const auto heard = alignedCueWords(grammar, spoken.words, {{"damn", 0, 1}, {"it(2)", 1, 2}});
    if (heard.size() != spoken.words.size()) std::abort();
}

bool sortedAndApart(const std::vector<TitleSpan>& spans) {
    for (std::size_t i = 0; i < spans.size(); ++i)
        if (spans[i].empty() || (i > 0 && spans[i].start <= spans[i - 1].end)) return false;
    return true;
}

}  // namespace

void velmorin::test::writeSeeds(const std::string& dir, const std::string&) {
    writeSeed(dir + "/edl", 0, "# list\r\n12.5 13.75 1\r\n0 4.2 0\n00:01:00.000 61.001 1\n");
    writeSeed(dir + "/srt", 0,
              "\xEF\xBB\xBF"
              "1\r\n00:00:01,000 --> 00:00:02,500\r\n<i>Damn</i> &amp; it\r\n\r\n"
              "7\r\n00:00:00,500 --> 00:00:01,200 X1:10\r\n{\\an8}Top\r\n"
              "3\r\n00:00:05.000 --> 00:00:06.000\r\nfirst\r\n\r\nsecond\r\n\r\n");
    writeSeed(dir + "/vtt", 0,
              "WEBVTT\nKind: captions\n\nSTYLE\n::cue {}\n\nNOTE x\n\nid\n"
              "00:01.000 --> 00:02.000 align:start\n<v Ann>Hi <b>there</b>\n\n"
              "00:59:59.999 --> 01:00:00.000\n\xE3\x81\x8F\xE3\x81\x9D\n");
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("1\n00:00:01.000 --> 00:00:02.000\n")) utf16 += {c, '\0'};
    writeSeed(dir + "/utf16", 0, utf16 + "\x3D\xD8\x08\xDE");  // a surrogate pair
    writeSeed(dir + "/cp932", 1, "1\r\n00:00:01,000 --> 00:00:02,000\r\n\x94\x4C\x83\x65\r\n");
    writeSeed(dir + "/spoken", 0,
              "1\n00:00:01.000 --> 00:00:02.000\n{\\an8}- JOHN: Damn it, Xavier!\n"
              "\xE2\x80\x93 MAN 2: [laughs] (sighs) \xE2\x99\xAA la la \xE2\x99\xAA "
              "don\xE2\x80\x99t #1 \xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB6\n\ndamn it\n");
    writeSeed(dir + "/cp1252", 2, "# words\r\ncaf\xE9\r\n\x93quoted\x94\r\ndamn\r\n");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static constexpr TextEncoding kEncodings[] = {TextEncoding::Unicode, TextEncoding::Cp932,
                                                  TextEncoding::Cp1252};
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const DecodedText decoded = decodeText(bytes, kEncodings[data[0] % 3], shiftJisToUtf8);
    if (decoded.result != TextDecodeResult::Ok) {
        if (decoded.badLine < 1 || !decoded.utf8.empty()) std::abort();
        return 0;
    }
    const std::string& text = decoded.utf8;

    const EdlList edl = parseEdl(text);
    for (const TitleSpan& s : edl.mutes)
        if (s.empty() || s.start < 0) std::abort();
    if (!sortedAndApart(mergeSpans(edl.mutes))) std::abort();

    const SubtitleFile subtitles = parseSubtitles(text);
    if (subtitles.result != SubtitleResult::Ok && !subtitles.cues.empty()) std::abort();
    for (const SubtitleCue& cue : subtitles.cues)
        if (cue.span.end < cue.span.start || cue.line < 1) std::abort();

    // The spans typed into the desktop's dialog, one per line.
    int badLine = -1;
    if (const auto typed = parseTypedSpans(text, badLine)) {
        for (const TitleSpan& s : *typed)
            if (s.empty() || s.start < 0) std::abort();
    } else if (badLine < 0 || badLine > static_cast<int>(text.size()) + 1) {
        std::abort();
    }

    const WordMatcher words(parseWordList(text));
    checkWords(text, words);
    for (const SubtitleCue& cue : subtitles.cues) checkWords(cue.text, words);
    const auto spans = spansFromSubtitles(subtitles.cues, words);
    if (!sortedAndApart(spans)) std::abort();
    const auto shifted = shiftSpans(spans, -kTicksPerSecond);
    if (shifted.spans.size() + shifted.beforeStart.size() != spans.size()) std::abort();

    // Every time read back from its text is the same time to the millisecond.
    for (const TitleSpan& s : edl.mutes) {
        const auto again = parseTitleTime(formatTitleTime(s.end));
        if (!again || std::abs(*again - s.end) > kTicksPerMillisecond / 2) std::abort();
    }
    return 0;
}

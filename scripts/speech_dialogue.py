#!/usr/bin/env python3
"""The dialogue of the speech titles, and what make-speech-titles.sh writes beside them.

    speech_dialogue.py sentences FILE [--minutes N]
        the spoken sentences, one a line, for speak_words
    speech_dialogue.py compose SPEECH_DIR OUT [--minutes N]
        checks speak_words' word times against its WAV files, lays the sentences out with
        pauses into OUT/speech.wav (mono, espeak-ng's rate) and writes OUT/plan.json
    speech_dialogue.py describe PLAN OFFSET DIR
        writes DIR/cues.srt, DIR/words.txt and DIR/truth.json, with title time = the
        speech track's time + OFFSET seconds

Without --minutes: the ten sentences of the dialogue, about a minute. With --minutes N: an
N-minute title for the benchmark, the sentences with a listed word (4 a minute) and
those without by turns, then only those without.
"""

import array
import json
import math
import os
import sys
import wave

# (spoken, cue text, how the tool should place its listed words): "word", "cue" (falls
# back: not English), "any" (either is right: a name the dictionary lacks stands beside
# the listed word), None (no listed word).
DIALOGUE = [
    ("Damn, the train left the station without us again this morning.",  # at the start
     "Damn, the train left the station\nwithout us again this morning.", "word"),
    ("Where did you put the old map of the city, you idiot?",  # at the end, a speaker
     "JOHN: Where did you put the old map\nof the city, you idiot?", "word"),
    ("We should leave before the rain.", "We should leave before the rain.", None),
    ("This crap weather ruined the whole picnic in the park, what total crap.",  # twice
     "This crap weather ruined the whole picnic\nin the park, what total crap.", "word"),
    ("Oh hell, that dog of yours ate my cheese sandwich at lunch, the bloody thief.",  # two
     "<i>Oh hell, that dog of yours ate my cheese</i>\n<i>sandwich at lunch, the bloody thief.</i>",
     "word"),
    ("Are you stupid or something?",  # the Japanese subtitle over it
     "バカじゃないの", "cue"),
    ("Nobody in town trusts that dumb Zorblat from the northern hills.",  # an unknown name
     "Nobody in town trusts that dumb Zorblat\nfrom the northern hills.", "any"),
    ("Please just shut up and listen to me for once in your life.",  # a phrase, a sound
     "[laughs] Please just shut up and listen\nto me for once in your life.", "word"),
    ("The bridge was closed, so we walked.", "The bridge was closed, so we walked.", None),
    ("Goodbye, and drive carefully.", "Goodbye, and drive carefully.", None),
]
LISTED = ["damn", "idiot", "crap", "hell", "bloody", "dumb", "shut up", "バカ"]

LEAD = 0.7  # speech track time of the first sentence
PAUSE = 2.2  # between sentences: a cue ends 1-1.5 s after, the next starts 0.2-0.5 s before
TAIL = 2.0
QUIET_DBFS = -40.0


def schedule(minutes):
    """The sentences in title order: the dialogue's, or for an N-minute title sentences
    with and without listed words by turns until 4 per minute hold one, then sentences
    without."""
    if minutes is None:
        return list(range(len(DIALOGUE)))
    matching = [i for i, d in enumerate(DIALOGUE) if d[2] == "word"]
    plain = [i for i, d in enumerate(DIALOGUE) if d[2] is None]
    out = []
    for n in range(int(minutes * 4)):
        out += [matching[n % len(matching)], plain[n % len(plain)]]
    return out + plain * int(minutes * 10)


def spoken(minutes):
    return [d[0] for d in DIALOGUE]


def read_wav(path):
    with wave.open(path) as w:
        assert w.getnchannels() == 1 and w.getsampwidth() == 2
        return array.array("h", w.readframes(w.getnframes())), w.getframerate()


def loud(samples, a, b):
    if b <= a:
        return False
    rms = math.sqrt(sum(x * x for x in samples[a:b]) / (b - a)) / 32768
    return rms > 0 and 20 * math.log10(rms) > QUIET_DBFS


def check_words(words, samples, rate):
    """The word times against the sound: just before each word (10-30 ms) is quiet where a
    word gap lies, and each word has sound in its first 100 ms and for at least half its
    10 ms windows. Problems as text."""
    problems, win = [], rate // 100
    for k, w in enumerate(words):
        a, b = int(w["start"] * rate), int(w["end"] * rate)
        if k and a - int(words[k - 1]["end"] * rate) >= 3 * win and loud(samples, a - 3 * win,
                                                                          a - win):
            problems.append(f"sound just before {w['text']!r} at {w['start']:.3f} s")
        if not any(loud(samples, i, i + win) for i in range(a, min(b, a + 10 * win), win)):
            problems.append(f"no sound at the start of {w['text']!r} at {w['start']:.3f} s")
        windows = range(a, b - win + 1, win)
        if sum(loud(samples, i, i + win) for i in windows) * 2 < len(windows):
            problems.append(f"{w['text']!r} at {w['start']:.3f} s is mostly quiet")
    return problems


def compose(speech_dir, out, minutes):
    with open(os.path.join(speech_dir, "words.json")) as f:
        said = json.load(f)
    sounds, problems = [], []
    for n, s in enumerate(said["sentences"]):
        samples, rate = read_wav(os.path.join(speech_dir, s["wav"]))
        problems += [f"sentence {n + 1}: {p}" for p in check_words(s["words"], samples, rate)]
        sounds.append(samples)
    if problems:
        sys.exit("speak_words' word times do not match its sound:\n" + "\n".join(problems))
    layout, at = [], LEAD
    end = None if minutes is None else minutes * 60.0 - TAIL
    for i in schedule(minutes):
        last = said["sentences"][i]["words"][-1]["end"]
        if end is not None and at + last > end:
            break
        layout.append((i, at))
        at += last + PAUSE
    length = at - PAUSE + TAIL if minutes is None else minutes * 60.0
    track = array.array("h", bytes(2 * int(length * rate)))
    placed = []
    for i, at in layout:
        first = int(round(at * rate))
        track[first:first + len(sounds[i])] = sounds[i]
        s = said["sentences"][i]
        placed.append({"sentence": i, "start": first / rate,
                       "words": [{"text": w["text"], "start": first / rate + w["start"],
                                  "end": first / rate + w["end"]} for w in s["words"]]})
    with wave.open(os.path.join(out, "speech.wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(track.tobytes())
    with open(os.path.join(out, "plan.json"), "w") as f:
        json.dump({"seconds": len(track) / rate, "sentences": placed}, f, indent=1)


def srt_time(t):
    ms = int(round(t * 1000))
    return f"{ms // 3600000:02}:{ms // 60000 % 60:02}:{ms // 1000 % 60:02},{ms % 1000:03}"


def listed_in(words, listed):
    """(listed text, first word index, last word index) of every occurrence. espeak-ng
    reports some pairs of words as one ("on the"); a listed word must not be one of them,
    or its true span would hold the other word too."""
    tokens = [(t, k) for k, w in enumerate(words) for t in w["text"].lower().split()]
    out = []
    for item in listed:
        parts = item.split()
        for i in range(len(tokens) - len(parts) + 1):
            if [t for t, _ in tokens[i:i + len(parts)]] == parts:
                a, b = tokens[i][1], tokens[i + len(parts) - 1][1]
                if " ".join(w["text"].lower() for w in words[a:b + 1]) != item:
                    sys.exit(f"{item!r} shares espeak-ng's word with another: choose another "
                             f"sentence")
                out.append((item, a, b))
    return sorted(out, key=lambda o: o[1])


def describe(plan_path, offset, out):
    with open(plan_path) as f:
        plan = json.load(f)
    cues, srt = [], []
    for n, s in enumerate(plan["sentences"], 1):
        _, text, placement = DIALOGUE[s["sentence"]]
        words = [dict(w, start=w["start"] + offset, end=w["end"] + offset) for w in s["words"]]
        # Deterministic leads and tails within the ranges real files show.
        start = words[0]["start"] - (0.2 + 0.3 * ((n * 7) % 10) / 9)
        end = words[-1]["end"] + (1.0 + 0.5 * ((n * 3) % 10) / 9)
        japanese = placement == "cue"
        listed = [] if japanese else [
            {"text": item, "start": words[a]["start"], "end": words[b]["end"]}
            for item, a, b in listed_in(words, LISTED)]
        cues.append({"number": n, "start": start, "end": end, "text": text,
                     "language": "ja" if japanese else "en",
                     "placed": placement, "words": words, "listed": listed})
        srt.append(f"{n}\n{srt_time(start)} --> {srt_time(end)}\n{text}\n")
    for a, b in zip(cues, cues[1:]):
        assert a["end"] < b["start"], f"cues {a['number']} and {b['number']} overlap"
    with open(os.path.join(out, "cues.srt"), "w", encoding="utf-8") as f:
        f.write("\n".join(srt))
    with open(os.path.join(out, "words.txt"), "w", encoding="utf-8") as f:
        f.write("\n".join(LISTED) + "\n")
    with open(os.path.join(out, "truth.json"), "w", encoding="utf-8") as f:
        json.dump({"offset": offset, "seconds": plan["seconds"] + offset, "cues": cues}, f,
                  ensure_ascii=False, indent=1)


def main(argv):
    minutes = None
    if "--minutes" in argv:
        k = argv.index("--minutes")
        minutes = float(argv[k + 1])
        del argv[k:k + 2]
    if argv[:1] == ["sentences"] and len(argv) == 2:
        with open(argv[1], "w") as f:
            f.write("\n".join(spoken(minutes)) + "\n")
    elif argv[:1] == ["compose"] and len(argv) == 3:
        compose(argv[1], argv[2], minutes)
    elif argv[:1] == ["describe"] and len(argv) == 4:
        describe(argv[1], float(argv[2]), argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])

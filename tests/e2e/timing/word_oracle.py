#!/usr/bin/env python3
"""Mute the listed words of a speech title (scripts/make-speech-titles.sh) in a copy, and
judge by decoding whether the words, and only the words, were silenced.

    word_oracle.py --cli VELMORIN_CLI --title DIR --work DIR [--whole-cues]
                   [--speech-channel FL|FC] [--simulate words|cues]

DIR holds VIDEO_TS, cues.srt, words.txt and truth.json (every word's title time). The
tool runs `mute --vtsi --srt --words --json` (with --whole-cues: also that option) on a
copy. Checks, every audio stream decoded as silence_oracle.py decodes it:
  - the title time of truth.json is the tool's (the first audio frame where `times`
    puts it);
  - every listed word's true span is silent, and nothing is silent outside what the tool
    reports silenced;
  - the document's "spans" cover each listed word, placed by word where the cue is
    English, by its cue (why "language") where it is Japanese, and then the whole cue is
    silent;
  - words keep their sound (at least half of the energy they had in the untouched title,
    in the speech's channel): in each cue, every word beyond the patterns' reach of its
    listed words, and at least 80 % of the other words of the cues placed by word;
  - a second run changes nothing: the same spans, every GOP's pattern before == after,
    the VOB files' bytes the same.
With --whole-cues every cue that holds a listed word is silent from start to end instead.
With --simulate the muting is not the tool's but made span by span with `mute --at`: what
a right placement does (words), where the checks must hold, or whole cues where words
were asked (cues), where they must fail (tests of this oracle).
Exit status 0 when every check holds, 1 when one fails (each failure on standard output).
"""

import argparse
import hashlib
import json
import os
import shutil
import subprocess
import sys
import tempfile
from array import array

import silence_oracle as oracle

ENERGY_RATE = 8000  # the speech channel is measured at this rate
KEPT = 0.5  # a word keeps its sound with at least this share of its energy
MOST_WORDS = 0.8  # of the other words of the cues placed by word must keep their sound
REACH = 0.6  # the margin (0.1 s) and the most the patterns silence beyond a span (0.5 s)
SPAN_SLACK = 0.005  # reported spans are rounded to the millisecond
MARGIN = 0.1  # silenced before and after a word by default


def run(cmd, cwd=None):
    done = subprocess.run(cmd, capture_output=True, text=True, cwd=cwd)
    if done.returncode != 0:
        raise RuntimeError(f"failed ({done.returncode}): {' '.join(cmd)}\n{done.stderr}")
    return done.stdout


class Sound:
    """One channel of every audio stream, at ENERGY_RATE, as runs placed in title time."""

    def __init__(self, title, channel):
        self.runs = {sub: [] for sub in title.runs}  # sub -> [(title time, array of int16)]
        with tempfile.TemporaryDirectory() as tmp:
            inputs, graph, outs, order = [], [], [], []
            for sub, runs in sorted(title.runs.items()):
                for run_ in runs:
                    n = len(order)
                    with open(os.path.join(tmp, f"r{n}"), "wb") as f:
                        f.write(run_.data)
                    inputs += oracle.input_of(title, sub, f"r{n}")
                    graph.append(f"[{n}:a]pan=mono|c0={channel},aresample={ENERGY_RATE}[o{n}]")
                    outs += ["-map", f"[o{n}]", "-f", "s16le", f"p{n}"]
                    order.append((sub, run_))
            if order:
                run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", *inputs,
                     "-filter_complex", ";".join(graph), *outs], cwd=tmp)
            for n, (sub, run_) in enumerate(order):
                samples = array("h")
                with open(os.path.join(tmp, f"p{n}"), "rb") as f:
                    samples.frombytes(f.read())
                start = title.stretches[run_.stretch].title_time(run_.start_pts)
                self.runs[sub].append((start, samples))

    def energy(self, sub, a, b):
        """Sum of squares over [a, b) of title time; a silenced stretch adds nothing."""
        total = 0
        for start, samples in self.runs[sub]:
            i = max(0, int((a - start) * ENERGY_RATE))
            j = min(len(samples), int((b - start) * ENERGY_RATE))
            if i < j:
                total += sum(x * x for x in samples[i:j])
        return total


def copy_title(video_ts, work):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    names = sorted(n for n in os.listdir(video_ts) if n.upper().startswith("VTS_01_"))
    for n in names:
        shutil.copyfile(os.path.join(video_ts, n), os.path.join(work, n))
    return [os.path.join(work, n) for n in names
            if n.upper().endswith(".VOB") and not n.upper().endswith("_0.VOB")]


def digest(paths):
    h = hashlib.sha256()
    for p in paths:
        with open(p, "rb") as f:
            h.update(f.read())
    return h.hexdigest()


class Judge:
    def __init__(self):
        self.failures = 0

    def expect(self, ok, what):
        print(("ok " if ok else "FAIL ") + what)
        self.failures += not ok
        return ok


def span_key(s):
    return (s.get("cue"), str(s.get("text", "")).casefold(), round(float(s["from"]), 3),
            round(float(s["to"]), 3), s.get("placed"), s.get("why"))


def check_title_time(judge, cli, ifo, truth, decoded):
    """The first audio frame where the tool's `times` puts it, and where truth.json does:
    the AC-3 frames start 256 samples (its encoder's priming) before the speech track."""
    doc = json.loads(run([cli, "times", "--vtsi", ifo, "--json"]))
    first = min(q["audio"][0] for g in doc["gops"] for q in g["quarters"] if q.get("audio"))
    ours = min(f.start for f in decoded.frames[min(decoded.frames)])
    expected = truth["offset"] - 256 / 48000
    judge.expect(abs(first - expected) < 0.002 and abs(ours - expected) < 0.002,
                 f"title time: the first audio frame at {first:.4f} s (times), {ours:.4f} s "
                 f"(the oracle), {expected:.4f} s (truth.json)")


def check_spans(judge, doc, truth, whole_cues):
    spans = doc.get("spans")
    if not judge.expect(isinstance(spans, list), "the document has \"spans\""):
        return
    for cue in truth["cues"]:
        mine = [s for s in spans if s.get("cue") == cue["number"]]
        wanted = cue["listed"] or ([{"text": "バカ"}] if cue["language"] == "ja" else [])
        if not wanted:
            judge.expect(not mine, f"cue {cue['number']}: no span (no listed word)")
            continue
        as_cue = whole_cues or cue["placed"] == "cue"
        for w in wanted:
            match = [s for s in mine if str(s.get("text", "")).casefold() == w["text"]]
            a, b = (cue["start"], cue["end"]) if as_cue or "start" not in w else (w["start"],
                                                                                 w["end"])
            covering = [s for s in match if s["from"] <= a + SPAN_SLACK and s["to"] >= b - SPAN_SLACK]
            judge.expect(covering, f"cue {cue['number']}: a span {w['text']!r} covers "
                         f"{a:.3f}-{b:.3f} (spans: "
                         f"{[(s['from'], s['to'], s.get('placed')) for s in match]})")
        placed = {s.get("placed") for s in mine}
        if whole_cues:
            judge.expect(placed == {"cue"}, f"cue {cue['number']}: placed by its cue, as asked")
        elif cue["placed"] == "cue":
            judge.expect(placed == {"cue"} and {s.get("why") for s in mine} == {"language"},
                         f"cue {cue['number']}: falls back to the cue for its language "
                         f"({[(s.get('placed'), s.get('why')) for s in mine]})")
        elif cue["placed"] == "word":
            judge.expect(placed == {"word"}, f"cue {cue['number']}: placed by word "
                         f"({[(s.get('placed'), s.get('why'), s.get('detail')) for s in mine]})")
        else:
            print(f"info cue {cue['number']}: placed "
                  f"{[(s.get('placed'), s.get('why')) for s in mine]}")


def keeps_words(doc, cue, whole_cues):
    """Whether the cue's other words must keep their sound: the tool should place its
    listed words by word, or may and did."""
    if whole_cues or cue["placed"] == "cue":
        return False
    if cue["placed"] != "any":
        return True
    mine = [s for s in doc.get("spans") or [] if s.get("cue") == cue["number"]]
    return bool(mine) and all(s.get("placed") == "word" for s in mine)


def check_other_words(judge, before, after, truth, doc, whole_cues):
    """Per stream: in each cue, the words out of the patterns' reach of its listed words
    (or all, in a cue without any) keep their sound; over the cues placed by word, at
    least MOST_WORDS of the other words do (a neighbour may go with a listed word: a
    pattern silences a GOP's audio from its start or to its end, up to half a second more
    than asked)."""
    for sub in sorted(before.runs):
        kept = total = 0
        for cue in truth["cues"]:
            matching = bool(cue["listed"]) or cue["language"] == "ja"
            if matching and not keeps_words(doc, cue, whole_cues):
                continue  # the whole cue is silenced
            listed = [(w["start"], w["end"]) for w in cue["listed"]]
            others = [w for w in cue["words"]
                      if not any(a <= w["start"] and w["end"] <= b for a, b in listed)]
            lost = [w for w in others if after.energy(sub, w["start"], w["end"])
                    < KEPT * before.energy(sub, w["start"], w["end"])]
            far_lost = [w["text"] for w in lost
                        if all(w["end"] < a - REACH or w["start"] > b + REACH
                               for a, b in listed)]
            judge.expect(not far_lost, f"cue {cue['number']} stream 0x{sub:02x}: "
                         f"{len(others) - len(lost)} of {len(others)} other words keep their "
                         f"sound" + (f"; lost: {', '.join(w['text'] for w in lost)}" if lost else "")
                         + (f" (out of reach: {', '.join(far_lost)})" if far_lost else ""))
            if matching:
                kept, total = kept + len(others) - len(lost), total + len(others)
        if total:
            judge.expect(kept >= MOST_WORDS * total, f"stream 0x{sub:02x}: {kept} of {total} "
                         f"other words of the cues placed by word keep their sound")


def simulated_mute(cli, ifo, truth, whole_cues):
    """What a right word placement does, with today's `mute --at`: each listed word from a
    margin before to a margin after it, a Japanese cue (and with whole cues every matching
    cue) from start to end. The document as the tool gives it, with its "spans"."""
    doc = {"gops": [], "spans": []}
    for cue in truth["cues"]:
        if cue["language"] == "ja" or (whole_cues and cue["listed"]):
            why = "whole-cues" if whole_cues else "language"
            texts = ["バカ"] if cue["language"] == "ja" else [w["text"] for w in cue["listed"]]
            spans = [(cue["start"], cue["end"], t, "cue", why) for t in texts]
        else:
            spans = [(w["start"] - MARGIN, w["end"] + MARGIN, w["text"], "word", None)
                     for w in cue["listed"]]
        for a, b, text, placed, why in spans:
            got = json.loads(run([cli, "mute", "--vtsi", ifo, "--at", f"{a:.3f}-{b:.3f}",
                                  "--json"]))
            doc["gops"] += got["gops"]
            doc["spans"].append({"from": round(a, 3), "to": round(b, 3), "cue": cue["number"],
                                 "text": text, "placed": placed, **({"why": why} if why else {})})
    return doc


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--cli", required=True)
    ap.add_argument("--title", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--whole-cues", action="store_true")
    ap.add_argument("--speech-channel", default="FL")
    ap.add_argument("--simulate", choices=["words", "cues"],
                    help="judge, instead of the tool's placement, one made with mute --at: "
                         "right (words) or whole cues where words were asked (cues)")
    args = ap.parse_args()

    with open(os.path.join(args.title, "truth.json"), encoding="utf-8") as f:
        truth = json.load(f)
    vobs = copy_title(os.path.join(args.title, "VIDEO_TS"), args.work)
    ifo = os.path.join(args.work, "VTS_01_0.IFO")
    judge = Judge()

    untouched = oracle.read_title(vobs)
    before = Sound(untouched, args.speech_channel)
    check_title_time(judge, args.cli, ifo, truth, oracle.decode_title(vobs))

    command = [args.cli, "mute", "--vtsi", ifo, "--srt", os.path.join(args.title, "cues.srt"),
               "--words", os.path.join(args.title, "words.txt"), "--json"]
    if args.whole_cues:
        command.append("--whole-cues")

    def mute():
        if args.simulate:
            return simulated_mute(args.cli, ifo, truth,
                                  args.whole_cues or args.simulate == "cues")
        return json.loads(run(command))

    doc = mute()
    reported = oracle.reported_spans_from_json(doc)
    decoded = oracle.decode_title(vobs)
    after = Sound(decoded.title, args.speech_channel)
    requested = []
    for cue in truth["cues"]:
        whole = cue["language"] == "ja" or (args.whole_cues and cue["listed"])
        requested += [(cue["start"], cue["end"])] if whole else [
            (w["start"], w["end"]) for w in cue["listed"]]
    failures = oracle.check(decoded, requested, reported)
    for f in failures:
        print("FAIL", f)
    judge.failures += len(failures)
    judge.expect(not failures, f"{len(requested)} listed words and cues silent on "
                 f"{', '.join(f'0x{s:02x}' for s in sorted(decoded.title.segments))}, "
                 f"nothing silent beyond the {len(reported)} reported spans")
    check_spans(judge, doc, truth, args.whole_cues)
    check_other_words(judge, before, after, truth, doc, args.whole_cues)

    bytes_before = digest(vobs)
    again = mute()
    judge.expect(digest(vobs) == bytes_before, "a second run leaves the VOB files' bytes as "
                 "they were")
    changed = [g["number"] for g in again.get("gops", []) if g.get("before") != g.get("after")]
    judge.expect(not changed, f"a second run changes no GOP's pattern ({changed[:10]})")
    first = sorted(map(span_key, doc.get("spans") or []))
    judge.expect(sorted(map(span_key, again.get("spans") or [])) == first,
                 "a second run gives the same spans")

    shutil.rmtree(args.work, ignore_errors=True)
    print(f"{judge.failures} check(s) failed" if judge.failures else "every check holds")
    return 1 if judge.failures else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (RuntimeError, OSError, ValueError, KeyError) as e:
        print(f"word_oracle: {e}", file=sys.stderr)
        sys.exit(2)

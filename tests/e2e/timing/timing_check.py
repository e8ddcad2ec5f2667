#!/usr/bin/env python3
"""Mute spans of title time in a copy of a title set, then let silence_oracle.py judge.

    timing_check.py --cli VELMORIN_CLI --video-ts DIR --work DIR --case NAME

NAME picks the title set and its spans (CASES below). MUTE_STEP is the muting under test.
With --self-test the oracle must also catch a requested span that was not silenced and
silence outside the reported spans.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
from fractions import Fraction

import silence_oracle as oracle


def _split_time(title, video_ts):
    """Title time of the VOBU that the VOB file boundary cuts."""
    first = os.path.getsize(os.path.join(video_ts, "VTS_01_1.VOB")) // oracle.SECTOR
    vobu = max((v for v in title.vobus if v.sector < first), key=lambda v: v.sector)
    return title.picture_span(vobu)[0]


def _restart_time(title, video_ts):
    """Title time where the second stretch of time stamps begins."""
    return title.stretches[1].title_start


# Spans per title set: fixed ones, and ones around a place the material puts somewhere.
CASES = {
    "ntsc": [(1.00, 1.15),                    # a short word
             (_split_time, -0.20, 0.25),       # across the file split
             (_restart_time, -0.25, 0.30)],    # across the time stamp restart (new VOB ID)
    "pal": [(2.00, 2.50)],
    "sample": [(10.00, 10.40),
               (_restart_time, -0.20, 0.20)],  # from title 1 into title 2
}


def run(cmd):
    done = subprocess.run(cmd, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"failed ({done.returncode}): {' '.join(cmd)}\n{done.stderr}")
    return done.stdout


# ---------------------------------------------------------------------------------------
# Muting steps: each takes the spans and returns (requested spans, reported spans).


def mute_at(cli, vobs, spans):
    """Mute by title time, as the tool reports it."""
    reported = []
    for a, b in spans:
        doc = json.loads(run([cli, "mute", *vobs, "--at", f"{a:.3f}-{b:.3f}", "--json"]))
        reported += oracle.reported_spans_from_json(doc)
    return spans, oracle.merge(reported)


def place_packets(frames, segments, title):
    """Give each of ffprobe's packets its title time: the stream's time stamps run back
    where the next stretch (here always a new VOB ID restarting its clock) begins."""
    j, last = 0, None
    for f in frames:
        if last is not None and f.pts < last - 0.5 and j + 1 < len(segments):
            j += 1
        last = f.pts
        f.start = title.stretches[segments[j].stretch].title_time(f.pts * oracle.TICKS)
        f.end = f.start + f.duration


def _frames_by_stream(vobs, title):
    """ffprobe's packet list (one packet per audio frame) placed in title time."""
    source = "concat:" + "|".join(os.path.abspath(v) for v in vobs)
    doc = json.loads(run(["ffprobe", "-v", "error", "-select_streams", "a", "-show_entries",
                          "packet=stream_index,pts,duration:stream=index,id,time_base",
                          "-of", "json", source]))
    ids = {s["index"]: int(s["id"], 16) for s in doc["streams"]}
    tick = {s["index"]: float(Fraction(s["time_base"])) for s in doc["streams"]}
    frames = {}
    for p in doc["packets"]:
        if "pts" not in p:
            continue
        i = p["stream_index"]
        frames.setdefault(ids[i], []).append(
            oracle.Frame(p["pts"] * tick[i], p.get("duration", 0) * tick[i], 0.0))
    for sub, fs in frames.items():
        place_packets(fs, title.segments[sub], title)
    return frames


def mute_whole_gops(cli, vobs, spans):
    """Stand-in until `mute --at` exists: silence, with "----", the GOPs whose pictures
    overlap each span. What was silenced is read from ffprobe's packet lists before and
    after: per stream, the frames that are gone. Reported is their union over the
    streams; requested, the part silenced on every stream."""
    title = oracle.read_title(vobs)
    before = _frames_by_stream(vobs, title)
    scan = json.loads(run([cli, "scan", *vobs, "--json"]))
    offsets, at = [], 0
    for f in scan["files"]:
        offsets.append(at)
        at += f["size"] // oracle.SECTOR
    spans_of = {v.sector: title.picture_span(v) for v in title.vobus}
    gops = [(g["number"], spans_of[offsets[g["file"]] + g["sector"]]) for g in scan["gops"]]
    for a, b in spans:
        hit = [n for n, (s, e) in gops if s < b and e > a]
        run([cli, "mute", *vobs, "--pattern", "----", "--gops", f"{hit[0]}-{hit[-1]}"])
    after = _frames_by_stream(vobs, title)
    gone = {}
    for sub, fs in before.items():
        kept = {round(f.start, 3) for f in after.get(sub, [])}
        lost = oracle.merge([(f.start, f.end) for f in fs if round(f.start, 3) not in kept],
                            gap=0.002)
        # ffmpeg's parser loses a lone frame just after a gap: not muting.
        gone[sub] = [(a, b) for a, b in lost if b - a > 2.5 * max(f.duration for f in fs)]
    reported = oracle.merge([s for g in gone.values() for s in g])
    requested = reported
    for g in gone.values():
        requested = oracle.intersect(requested, g)
    return requested, reported


MUTE_STEP = mute_whole_gops  # becomes mute_at once `velmorin-cli mute --at` exists


# ---------------------------------------------------------------------------------------


def expect_failures(decoded, requested, reported, kind, what):
    """The oracle must report KIND on every stream for this doctored input."""
    found = {f.stream for f in oracle.check(decoded, requested, reported) if f.kind == kind}
    missed = sorted(set(decoded.frames) - found)
    if missed:
        print(f"FAIL the oracle missed {what} on streams {', '.join(f'0x{s:02x}' for s in missed)}")
        return False
    print(f"ok the oracle reports {what} on every stream")
    return True


def self_test(decoded, requested, reported):
    """A span in sound requested but not silenced, and a silenced span not reported."""
    _, last_end = reported[-1]
    loud = (last_end + 0.3, last_end + 0.5)
    ok = expect_failures(decoded, requested + [loud], reported, "sound-in-request",
                         "a requested span left audible")
    ok &= expect_failures(decoded, [], reported[1:], "silence-outside-reported",
                          "silence outside the reported spans")
    return ok


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--video-ts", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--case", required=True, choices=sorted(CASES))
    ap.add_argument("--self-test", action="store_true")
    args = ap.parse_args()

    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    names = sorted(n for n in os.listdir(args.video_ts)
                   if n.upper().startswith("VTS_01_") and n.upper().endswith(".VOB")
                   and not n.upper().endswith("_0.VOB"))
    vobs = []
    for n in names:
        shutil.copyfile(os.path.join(args.video_ts, n), os.path.join(args.work, n))
        vobs.append(os.path.join(args.work, n))

    title = oracle.read_title(vobs)
    spans = [c if len(c) == 2 else (c[0](title, args.video_ts) + c[1],
                                    c[0](title, args.video_ts) + c[2])
             for c in CASES[args.case]]
    requested, reported = MUTE_STEP(args.cli, vobs, spans)
    print("requested:", " ".join(f"{a:.3f}-{b:.3f}" for a, b in requested))
    print("reported: ", " ".join(f"{a:.3f}-{b:.3f}" for a, b in reported))

    decoded = oracle.decode_title(vobs)
    failures = oracle.check(decoded, requested, reported)
    for f in failures:
        print("FAIL", f)
    ok = not failures
    if ok:
        print(f"ok every requested span is silent and all else sounds, on "
              f"{', '.join(f'0x{s:02x} ({decoded.codecs[s]})' for s in sorted(decoded.frames))}")
    if args.self_test:
        ok &= self_test(decoded, requested, reported)
    shutil.rmtree(args.work, ignore_errors=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

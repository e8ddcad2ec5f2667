#!/usr/bin/env python3
"""Mute spans of title time in a copy of a title set, then let silence_oracle.py judge.

    timing_check.py --cli VELMORIN_CLI --video-ts DIR --work DIR --case NAME

NAME picks the title set, how the tool is given it (the VOB files, or the title set's
IFO so that title time comes from the cells) and its spans (CASES below). Each span is
muted with `velmorin-cli mute --at`; the tool's reported spans are what it says it
silenced. With --self-test the oracle must also catch a requested span that was not
silenced and silence outside the reported spans.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys

import silence_oracle as oracle


def run(cmd):
    done = subprocess.run(cmd, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"failed ({done.returncode}): {' '.join(cmd)}\n{done.stderr}")
    return done.stdout


class Title:
    """A copied title set as the tool and the oracle see it."""

    def __init__(self, cli, video_ts, work, by_cells):
        self.cli, self.video_ts = cli, video_ts
        names = sorted(n for n in os.listdir(video_ts) if n.upper().startswith("VTS_01_"))
        for n in names:
            shutil.copyfile(os.path.join(video_ts, n), os.path.join(work, n))
        self.vobs = [os.path.join(work, n) for n in names
                     if n.upper().endswith(".VOB") and not n.upper().endswith("_0.VOB")]
        self.source = ["--vtsi", os.path.join(work, "VTS_01_0.IFO")] if by_cells else self.vobs
        # With the IFO, title time runs by the cells' playback times: each stretch of
        # unbroken time stamps starts where the tool puts its first GOP.
        self.stretch_starts = None
        if by_cells:
            oracle_title = oracle.read_title(self.vobs)
            self.gops = self.times()["gops"]
            starts = {g["number"]: g["pictures"][0] for g in self.gops}
            self.stretch_starts = [
                starts[next(i for i, v in enumerate(oracle_title.vobus) if v.stretch == k) + 1]
                for k in range(len(oracle_title.stretches))]
        self.oracle = oracle.read_title(self.vobs, stretch_starts=self.stretch_starts)

    def times(self):
        return json.loads(run([self.cli, "times", *self.source, "--json"]))

    def mute_at(self, spans):
        """Mutes each span; the merged spans the tool reports silenced."""
        reported = []
        for a, b in spans:
            doc = json.loads(run([self.cli, "mute", *self.source, "--at", f"{a:.3f}-{b:.3f}",
                                  "--json"]))
            reported += oracle.reported_spans_from_json(doc)
        return oracle.merge(reported)


def _split_time(title):
    """Title time of the VOBU that the VOB file boundary cuts."""
    first = os.path.getsize(os.path.join(title.video_ts, "VTS_01_1.VOB")) // oracle.SECTOR
    vobu = max((v for v in title.oracle.vobus if v.sector < first), key=lambda v: v.sector)
    return title.oracle.picture_span(vobu)[0]


def _restart_time(title):
    """Title time where the second stretch of time stamps begins."""
    return title.oracle.stretches[1].title_start


def _cell_start(n):
    """Title time of the title's cell n (from 0), where the tool puts it."""
    def at(title):
        scan = json.loads(run([title.cli, "scan", *title.source, "--json"]))
        cells = [g["number"] for g in scan["gops"] if g["flags"] & 1]
        return next(g["pictures"][0] for g in title.gops if g["number"] == cells[n])
    return at


# How far past a requested span the tool may report silence.
MOST_BEYOND = 0.5


# Per case: whether the tool reads the IFO, and the spans: fixed ones, and ones around a
# place the material puts somewhere.
CASES = {
    "ntsc": (False, [(1.00, 1.15),                    # a short word
                     (_split_time, -0.20, 0.25),       # across the file split
                     (_restart_time, -0.25, 0.30)]),   # across the restart (new VOB ID)
    "ntsc_cells": (True, [(_cell_start(1), -0.10, 0.12),  # across cell starts
                          (_split_time, -0.05, 0.05),
                          (_cell_start(3), -0.30, 0.20)]),
    "pal": (True, [(0.40, 0.70),
                   (_cell_start(1), -0.15, 0.10)]),
    "sample": (False, [(10.00, 10.40),
                       (_restart_time, -0.20, 0.20)]),  # from title 1 into title 2
}


# ---------------------------------------------------------------------------------------


def expect_failures(decoded, requested, reported, kind, what):
    """The oracle must report KIND on every stream for this doctored input."""
    found = {f.stream for f in oracle.check(decoded, requested, reported) if f.kind == kind}
    missed = sorted(set(decoded.title.segments) - found)
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
    by_cells, cases = CASES[args.case]
    title = Title(args.cli, args.video_ts, args.work, by_cells)
    spans = [c if len(c) == 2 else (c[0](title) + c[1], c[0](title) + c[2]) for c in cases]
    requested, reported = spans, title.mute_at(spans)
    print("requested:", " ".join(f"{a:.3f}-{b:.3f}" for a, b in requested))
    print("reported: ", " ".join(f"{a:.3f}-{b:.3f}" for a, b in reported))

    decoded = oracle.decode_title(title.vobs, stretch_starts=title.stretch_starts)
    failures = oracle.check(decoded, requested, reported)
    for f in failures:
        print("FAIL", f)
    # The patterns force at most a few quarters past a span (0.38 s seen at the worst).
    beyond = oracle.subtract(reported, [(a - MOST_BEYOND, b + MOST_BEYOND) for a, b in requested])
    for a, b in beyond:
        print(f"FAIL silenced {a:.3f}-{b:.3f}, over {MOST_BEYOND} s from any requested span")
    ok = not failures and not beyond
    if ok:
        print(f"ok every requested span is silent and all else sounds, on "
              f"{', '.join(f'0x{s:02x} ({decoded.codecs[s]})' for s in sorted(decoded.title.segments))}")
    if args.self_test:
        ok &= self_test(decoded, requested, reported)
    shutil.rmtree(args.work, ignore_errors=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())

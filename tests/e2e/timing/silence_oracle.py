#!/usr/bin/env python3
"""Check, by decoding with ffmpeg, where a title's audio was silenced.

    silence_oracle.py VOB... --request FROM-TO... (--reported FROM-TO... | --reported-json FILE)
                      [--offset PTS] [--stretch-starts T,T,...]

Spans are title time in seconds. Every audio stream in private stream 1 (AC-3, DTS,
16-bit LPCM) is decoded with ffmpeg in runs: a run is the stream's audio between two
silenced packets (stream id 0xBE), taken from the first whole frame of its first packet
and placed at that frame's time stamp; a silenced packet leaves a gap. The packets are
read here, not by ffmpeg's demuxer, whose parser restamps frames after a gap. Two things
must hold on every stream:
  - no sound inside a requested span;
  - sound everywhere outside the reported spans, within the stream's extent.
Within one audio frame of a reported span's edge anything goes: a frame that straddles a
silenced and a kept packet reaches the decoder damaged.

Title time: the title starts at the first VOBU's presentation start (VOBU_S_PTM of the
first navigation pack, or --offset in 90 kHz ticks). Where a VOBU's start time stamp does
not continue from the previous VOBU's end (a new VOB ID restarting its clock), a new
stretch begins where the previous one ended; --stretch-starts gives each stretch's title
start instead (for example from the cells' playback times).

Exit status: 0 both checks hold, 1 a check failed (each failure on standard output),
2 wrong usage or unreadable input.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import tempfile
from dataclasses import dataclass, field

SECTOR = 2048
TICKS = 90000.0
LOUD_DBFS = -50.0  # a frame above this peak level counts as sound


# ---------------------------------------------------------------------------------------
# Reading the VOB files: navigation packs and audio packet headers


@dataclass
class Stretch:
    """VOBUs whose time stamps run on without a break."""

    first_pts: int  # VOBU_S_PTM of its first VOBU
    end_pts: int  # VOBU_E_PTM of its last VOBU
    title_start: float = 0.0

    def title_time(self, pts):
        return self.title_start + (pts - self.first_pts) / TICKS


@dataclass
class Segment:
    """One audio stream's packets within one stretch, 0xBD and 0xBE alike."""

    stretch: int
    min_pts: int
    max_pts: int


@dataclass
class Run:
    """Audio of one stream that plays without a silenced packet in between: its packets'
    payloads from the first whole frame on, and that frame's time stamp."""

    stretch: int
    start_pts: int
    data: bytearray


@dataclass
class Vobu:
    sector: int  # of its navigation pack, counted across the VOB files
    stretch: int
    start_pts: int
    end_pts: int


@dataclass
class Title:
    stretches: list = field(default_factory=list)
    segments: dict = field(default_factory=dict)  # sub-stream id -> [Segment]
    vobus: list = field(default_factory=list)
    runs: dict = field(default_factory=dict)  # sub-stream id -> [Run]
    lpcm: dict = field(default_factory=dict)  # sub-stream id -> (bits, rate, channels)

    def picture_span(self, vobu):
        st = self.stretches[vobu.stretch]
        return (st.title_time(vobu.start_pts), st.title_time(vobu.end_pts))


def _pes_pts(sector):
    if not sector[21] & 0x80:
        return None
    p = sector[23:28]
    return ((p[0] >> 1) & 7) << 30 | p[1] << 22 | (p[2] >> 1) << 15 | p[3] << 7 | p[4] >> 1


def _sectors(vobs):
    for path in vobs:
        with open(path, "rb") as f:
            while True:
                sector = f.read(SECTOR)
                if len(sector) < SECTOR:
                    break
                yield sector


def is_audio_sub_stream(sub):
    return sub >> 4 in (0x8, 0xA)


def _add_to_run(title, s, sub, pts, open_runs):
    """Extend, start or end the stream's current run with this packet."""
    k = len(title.stretches) - 1
    run = open_runs.get(sub)
    if s[17] == 0xBE or (run and run.stretch != k):
        open_runs.pop(sub, None)
        run = None
        if s[17] == 0xBE:
            return
    at = 23 + s[22]  # sub-stream id, frame count, first access unit pointer (2 bytes)
    end = 20 + (s[18] << 8 | s[19])
    data = at + 4
    if sub >> 4 == 0xA:  # LPCM: emphasis/frame number, format, dynamic range
        fmt = s[at + 5]
        title.lpcm[sub] = (16 + 4 * (fmt >> 6), 96000 if fmt & 0x30 else 48000, (fmt & 7) + 1)
        data = at + 7
    if run:
        run.data += s[data:end]
        return
    first = at + 3 + (s[at + 2] << 8 | s[at + 3])
    if pts is None or first < data or first >= end:
        return  # no frame starts here: nothing to play until one does
    run = Run(k, pts, bytearray(s[first:end]))
    title.runs.setdefault(sub, []).append(run)
    open_runs[sub] = run


def read_title(vobs, offset=None, stretch_starts=None):
    """The title's stretches and, per audio stream, its packets' time stamp ranges."""
    title = Title()
    open_runs = {}  # sub-stream id -> the Run its next kept packet continues
    prev_end = prev_vob = None
    for n, s in enumerate(_sectors(vobs)):
        if s[14:18] == b"\0\0\1\xbb":
            start = int.from_bytes(s[0x39:0x3D], "big")
            end = int.from_bytes(s[0x3D:0x41], "big")
            vob = int.from_bytes(s[0x41F:0x421], "big")
            if prev_end is None or start != prev_end or vob != prev_vob:
                title.stretches.append(Stretch(start, end))
            title.stretches[-1].end_pts = end
            title.vobus.append(Vobu(n, len(title.stretches) - 1, start, end))
            prev_end, prev_vob = end, vob
        elif s[14:17] == b"\0\0\1" and s[17] in (0xBD, 0xBE) and title.stretches:
            sub = s[23 + s[22]]
            if not is_audio_sub_stream(sub):
                continue
            pts = _pes_pts(s)
            _add_to_run(title, s, sub, pts, open_runs)
            if pts is None:
                continue
            segs = title.segments.setdefault(sub, [])
            k = len(title.stretches) - 1
            if not segs or segs[-1].stretch != k:
                segs.append(Segment(k, pts, pts))
            segs[-1].min_pts = min(segs[-1].min_pts, pts)
            segs[-1].max_pts = max(segs[-1].max_pts, pts)
    if not title.stretches:
        raise ValueError("no navigation pack found")
    if offset is not None:
        title.stretches[0].first_pts = offset
    at = 0.0
    for st in title.stretches:
        st.title_start = at
        at = st.title_time(st.end_pts)
    if stretch_starts:
        if len(stretch_starts) != len(title.stretches):
            raise ValueError(
                f"{len(stretch_starts)} stretch starts given, the title has {len(title.stretches)}"
            )
        for st, t in zip(title.stretches, stretch_starts):
            st.title_start = t
    return title


# ---------------------------------------------------------------------------------------
# Decoding: every frame's time stamp, length and peak level


@dataclass
class Frame:
    pts: float  # seconds: from the start of its run, or a packet's own time stamp
    duration: float
    peak: float  # dBFS
    start: float = 0.0  # title time
    end: float = 0.0


def codec_of(sub):
    return {0x8: "dts" if sub & 8 else "ac3", 0xA: "lpcm"}[sub >> 4]


def input_of(title, sub, path):
    codec = codec_of(sub)
    if codec != "lpcm":
        return ["-f", codec, "-i", path]
    bits, rate, channels = title.lpcm[sub]
    if bits != 16:
        raise ValueError(f"stream 0x{sub:02x}: {bits}-bit LPCM is not supported")
    return ["-f", "s16be", "-ar", str(rate), "-ac", str(channels), "-i", path]


def decode(title):
    """Decode every run of every stream (one ffmpeg run) and place its frames in title
    time: a run's first frame plays at its time stamp, each next one where the previous
    one ends."""
    frames = {sub: [] for sub in title.runs}
    with tempfile.TemporaryDirectory() as tmp:
        inputs, graph, maps, order = [], [], [], []
        for sub, runs in sorted(title.runs.items()):
            for run in runs:
                n = len(order)
                with open(os.path.join(tmp, f"r{n}"), "wb") as f:
                    f.write(run.data)
                inputs += input_of(title, sub, f"r{n}")
                graph.append(
                    f"[{n}:a]astats=metadata=1:reset=1:measure_perchannel=none"
                    f":measure_overall=Peak_level+Number_of_samples,"
                    f"ametadata=mode=print:file=m{n}[o{n}]")
                maps += ["-map", f"[o{n}]", "-f", "null", "-"]
                order.append((sub, run))
        if not order:
            return frames
        done = subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error",
                               *inputs, "-filter_complex", ";".join(graph), *maps],
                              cwd=tmp, capture_output=True, text=True)
        if done.returncode != 0:
            raise ValueError(f"ffmpeg failed: {done.stderr.strip()}")
        for n, (sub, run) in enumerate(order):
            rate = title.lpcm[sub][1] if sub in title.lpcm else 48000
            start = title.stretches[run.stretch].title_time(run.start_pts)
            with open(os.path.join(tmp, f"m{n}")) as f:
                for fr in _parse_metadata(f, rate):
                    fr.start = start + fr.pts
                    fr.end = fr.start + fr.duration
                    frames[sub].append(fr)
    return frames


def _parse_metadata(lines, rate):
    frames = []
    for line in lines:
        m = re.search(r"pts_time:(\S+)", line)
        if m:
            frames.append(Frame(float(m.group(1)), 0.0, float("-inf")))
            continue
        key, _, value = line.strip().partition("=")
        if key.endswith("Number_of_samples"):
            frames[-1].duration = float(value) / rate
        elif key.endswith("Peak_level"):
            frames[-1].peak = float(value)
    return frames


# ---------------------------------------------------------------------------------------
# Interval arithmetic on sorted, disjoint [start, end) lists


def merge(spans, gap=0.0):
    out = []
    for a, b in sorted(spans):
        if out and a <= out[-1][1] + gap:
            out[-1][1] = max(out[-1][1], b)
        else:
            out.append([a, b])
    return [tuple(s) for s in out]


def subtract(spans, holes):
    out = []
    holes = merge(holes)
    for a, b in spans:
        for h0, h1 in holes:
            if h1 <= a or h0 >= b:
                continue
            if h0 > a:
                out.append((a, h0))
            a = max(a, h1)
            if a >= b:
                break
        if a < b:
            out.append((a, b))
    return out


def intersect(spans, others):
    others = merge(others)
    out = []
    for a, b in spans:
        for c, d in others:
            lo, hi = max(a, c), min(b, d)
            if lo < hi:
                out.append((lo, hi))
    return merge(out)


# ---------------------------------------------------------------------------------------
# The checks


@dataclass
class Failure:
    kind: str  # "sound-in-request" or "silence-outside-reported"
    stream: int
    start: float
    end: float

    def __str__(self):
        what = ("sound inside a requested span" if self.kind == "sound-in-request"
                else "silence outside the reported spans")
        return f"stream 0x{self.stream:02x}: {what} at {self.start:.3f}-{self.end:.3f} s"


@dataclass
class Decoded:
    title: Title
    frames: dict  # sub-stream id -> [Frame] with title times
    codecs: dict


def decode_title(vobs, offset=None, stretch_starts=None):
    title = read_title(vobs, offset, stretch_starts)
    subs = sorted(title.segments)
    if not subs:
        raise ValueError("the title has no AC-3, DTS or LPCM audio")
    frames = decode(title)
    return Decoded(title, frames, {sub: codec_of(sub) for sub in subs})


def check(decoded, requested, reported, min_length=0.001):
    """Failures of the two checks on every stream; empty when the muting is right."""
    failures = []
    # Every stream of the title, also one left with nothing playing: it is all silence.
    for sub in sorted(decoded.title.segments):
        frames = decoded.frames.get(sub, [])
        frame = max((f.duration for f in frames), default=0.0)
        loud = merge([(f.start, f.end) for f in frames if f.peak > LOUD_DBFS],
                     gap=frame / 4)  # LPCM frames leave slivers between them
        edges = [(e - frame, e + frame) for span in reported for e in span]
        for a, b in subtract(intersect(loud, requested), edges):
            if b - a >= min_length:
                failures.append(Failure("sound-in-request", sub, a, b))
        title = decoded.title
        # A stream's first frame in each stretch may be quiet: encoders prime with it.
        extent = [(title.stretches[s.stretch].title_time(s.min_pts) + frame,
                   title.stretches[s.stretch].title_time(s.max_pts))
                  for s in title.segments[sub]]
        quiet_allowed = [(a - frame, b + frame) for a, b in reported]
        for a, b in subtract(subtract(merge(extent), quiet_allowed), loud):
            if b - a >= min_length:
                failures.append(Failure("silence-outside-reported", sub, a, b))
    return failures


# ---------------------------------------------------------------------------------------
# Spans as the command line and the tool give them


def parse_time(text):
    """Seconds, or hh:mm:ss.mmm / mm:ss.mmm."""
    seconds = 0.0
    for part in text.split(":"):
        seconds = seconds * 60 + float(part)
    return seconds


def parse_span(text):
    m = re.fullmatch(r"\s*([0-9:.]+)\s*-\s*([0-9:.]+)\s*", text)
    if not m:
        raise ValueError(f"not a span FROM-TO: {text!r}")
    a, b = parse_time(m.group(1)), parse_time(m.group(2))
    if not a < b:
        raise ValueError(f"empty span: {text!r}")
    return (a, b)


def _span_of(value):
    if isinstance(value, dict):
        return (float(value["start"]), float(value["end"]))
    if isinstance(value, (list, tuple)) and len(value) == 2:
        return (float(value[0]), float(value[1]))
    if isinstance(value, str):
        return parse_span(value)
    raise ValueError(f"not a span: {value!r}")


def reported_spans_from_json(doc):
    """The silenced spans of `mute --at/--edl/--srt --json`: each GOP's "silenced" span
    ({"start": s, "end": e} in title seconds; null for a GOP whose audio plays), merged."""
    spans = []
    for gop in doc.get("gops", []):
        if gop.get("silenced") is not None:
            spans.append(_span_of(gop["silenced"]))
    return merge(spans)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("vobs", nargs="+", metavar="VOB")
    ap.add_argument("--request", action="append", default=[], type=parse_span)
    ap.add_argument("--reported", action="append", default=[], type=parse_span)
    ap.add_argument("--reported-json", metavar="FILE")
    ap.add_argument("--offset", type=int, metavar="PTS")
    ap.add_argument("--stretch-starts", metavar="T,T,...",
                    type=lambda t: [parse_time(x) for x in t.split(",")])
    args = ap.parse_args(argv)
    try:
        reported = list(args.reported)
        if args.reported_json:
            with open(args.reported_json, encoding="utf-8") as f:
                reported += reported_spans_from_json(json.load(f))
        decoded = decode_title(args.vobs, args.offset, args.stretch_starts)
    except (OSError, ValueError, KeyError, subprocess.CalledProcessError) as e:
        print(f"silence_oracle: {e}", file=sys.stderr)
        return 2
    failures = check(decoded, args.request, merge(reported))
    for f in failures:
        print(f)
    for sub, frames in sorted(decoded.frames.items()):
        state = "FAIL" if any(f.stream == sub for f in failures) else "ok"
        print(f"{state} stream 0x{sub:02x} ({decoded.codecs[sub]}): {len(frames)} frames")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

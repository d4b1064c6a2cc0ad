#!/usr/bin/env python3
"""Prints the medians of a Google Benchmark JSON file against ORVANE's performance targets."""
import json
import re
import sys

# (name pattern, target in microseconds, what the target is)
TARGETS = [
    (r"^LatheDragStep/.*/zoom8/background$", 2000, "drag step, zoom 8, background"),
    (r"^LatheDragStep/.*/zoom2/", 500, "drag step, zoom 2"),
    (r"^Preview/MeshAndTextureUpload/", 300, "mesh build plus upload (mesh and texture)"),
    (r"^PreviewTexture/RefreshOverlay/", 1000, "overlay refresh"),
    (r"^Undo/PushSnapshot/", 20, "snapshot push"),
    (r"^SculptMap/Save512/", 5000, "save of a 512 map"),
    (r"^SculptMap/Load512/", 3000, "load of a 512 map"),
    (r"^Obj/ImportSphere/32x32$", 10000, "OBJ import of a 32x32 export"),
    (r"^Startup/StartToFirstIdle", 400000, "start to first frame"),
]
MEMORY_ALLOWANCE_MB = 60

TO_MICROSECONDS = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def medians(path):
    with open(path) as f:
        data = json.load(f)
    out = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median" or b.get("error_occurred"):
            continue
        # "Startup/StartToFirstIdle/iterations:3/manual_time" reads as "Startup/StartToFirstIdle".
        name = re.sub(r"/(iterations:\d+|manual_time)", "", b["run_name"])
        out[name] = b
    return out


def target_of(name):
    for pattern, limit, what in TARGETS:
        if re.search(pattern, name):
            return limit, what
    return None, ""


def show_time(us):
    return f"{us / 1000:.2f} ms" if us >= 1000 else f"{us:.1f} us"


def main(path):
    rows = medians(path)
    missed = 0
    # Wall-clock medians are judged; the CPU time shows what waited (GPU threads, disk flushes).
    print(f"\n{'case':<48} {'median':>11} {'cpu':>11} {'target':>11}  verdict")
    for name, b in rows.items():
        if name.startswith("Memory/"):
            continue
        us = b["real_time"] * TO_MICROSECONDS[b["time_unit"]]
        # A child process's time is measured by hand; the CPU column would be the parent's.
        cpu = None if "manual_time" in b["run_name"] else b["cpu_time"] * TO_MICROSECONDS[b["time_unit"]]
        limit, _ = target_of(name)
        verdict = "" if limit is None else ("ok" if us <= limit else "MISSED")
        missed += verdict == "MISSED"
        print(f"{name:<48} {show_time(us):>11} {show_time(cpu) if cpu is not None else '-':>11} {show_time(limit) if limit else '-':>11}  {verdict}")

    editor, empty = rows.get("Memory/orvane"), rows.get("Memory/empty_gl_window")
    if editor and empty:
        peak, base = editor["peak_rss_MB"], empty["peak_rss_MB"]
        verdict = "ok" if peak <= base + MEMORY_ALLOWANCE_MB else "MISSED"
        missed += verdict == "MISSED"
        print(f"\nresident size, peak (VmHWM) up to the first idle turn and the quit:")
        print(f"  orvane           {peak:7.1f} MB (last sample {editor['last_rss_MB']:.1f} MB)")
        print(f"  empty GL window  {base:7.1f} MB (at its first frame: VmRSS {empty['own_rss_MB']:.1f} MB,"
              f" VmHWM {empty['own_hwm_MB']:.1f} MB)")
        print(f"  target: orvane <= {base + MEMORY_ALLOWANCE_MB:.1f} MB (baseline + {MEMORY_ALLOWANCE_MB} MB)"
              f"  {verdict}")
    print(f"\n{missed} target(s) missed")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "bench-results/bench.json")

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs two quivra-tool builds on the same random command lines and compares what they print, their
exit statuses and the bytes of every file they write. For refactorings that must not change the
tool's output: compare-tool.py OLD_TOOL NEW_TOOL [--cases N] [--seed S]"""
import argparse
import os
import random
import re
import subprocess
import sys
import tempfile

KEYS = [33, 34, 35, 36, 37, 38, 39, 40, 65, 68, 69, 81, 83, 87, 97, 98, 99, 100, 102, 103, 104, 105, 13]


def random_case(rng, n):
    kind = rng.random()
    if kind < 0.1:
        style = rng.choice(["square", "hex"])
        x = rng.choice([2, 3, 5, 9, 15]) | (1 if style == "hex" else 0)
        y = rng.choice([2, 3, 6, 11])
        digits = ",".join(str(rng.randrange(10)) for _ in range(8))
        return ["carve", "--style", style, "--cells", str(x), str(y), "--digits", digits], None
    if kind < 0.2:
        style = rng.choice(["square", "hex"])
        x = rng.choice([3, 5, 21]) | (1 if style == "hex" else 0)
        return ["generate", "--style", style, "--cells", str(x), str(rng.choice([2, 7, 13])),
                "--seed-text", str(rng.randrange(86400)), "--trials", str(rng.randrange(1, 30))], None
    ext = rng.choice(["png", "png", "jpg", "bmp", "ppm", "svg", "pdf"])
    args = ["render", "--style", rng.choice(["square", "hex"])]
    w = rng.choice([1, 40, 120, 305, 400, 640, 1024, 1600])
    h = rng.choice([1, 50, 57, 58, 139, 298, 480, 900])
    args += ["--size", f"{w}x{h}", "--tilt", str(rng.randrange(30, 61)),
             "--time", f"{rng.uniform(0, 86399):.2f}", "--trials", str(rng.randrange(0, 12))]
    if rng.random() < 0.6:
        args += ["--keys", ",".join(str(rng.choice(KEYS)) for _ in range(rng.randrange(1, 40)))]
    for flag, p in (("--solution", 0.3), ("--clear", 0.2), ("--palette", 0.2), ("--dump", 0.2)):
        if rng.random() < p:
            args.append(flag)
    if rng.random() < 0.3:
        args += ["--view", "plan"]
    if ext == "pdf" and rng.random() < 0.3 and "--solution" not in args:
        args += ["--page", rng.choice(["a4", "letter"]), "--count", str(rng.randrange(1, 4))]
    return args, f"out{n}.{ext}"


def without_refused_code(stdout):
    # Reports of a window too small to build once printed the code of no maze ("S0x0-..."), one
    # the tool itself refuses; they no longer print a code line.
    return re.sub(rb"code [SH]0x0-00000000-.\n", b"", stdout)


def run(tool, args, out, folder):
    full = [tool] + args + (["--out", os.path.join(folder, out)] if out else [])
    p = subprocess.run(full, capture_output=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    data = None
    if out and os.path.exists(os.path.join(folder, out)):
        with open(os.path.join(folder, out), "rb") as f:
            data = f.read()
    return p.returncode, p.stdout, p.stderr, data


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("--cases", type=int, default=100)
    ap.add_argument("--seed", type=int, default=1)
    a = ap.parse_args()
    rng = random.Random(a.seed)
    cases = [random_case(rng, n) for n in range(a.cases)]
    # The README's examples.
    cases += [
        (["render", "--style", "hex", "--size", "800x600", "--solution"], "maze.png"),
        (["render", "--code", "H21x13-93782719-0", "--view", "plan", "--solution"], "plan.svg"),
        (["render", "--style", "square", "--view", "plan", "--count", "5", "--page", "a4"], "booklet.pdf"),
        (["render", "--style", "hex", "--size", "800x600", "--keys", "34,34,35"], "walk.png"),
        (["generate", "--code", "H21x13-93782719-0"], None),
    ]
    differ = 0
    with tempfile.TemporaryDirectory() as d1, tempfile.TemporaryDirectory() as d2:
        for args, out in cases:
            r1 = run(a.old, args, out, d1)
            r1 = (r1[0], without_refused_code(r1[1]), r1[2], r1[3])
            r2 = run(a.new, args, out, d2)
            vector = out is not None and out.endswith((".svg", ".pdf"))
            same = r1[:3] == r2[:3] and (vector or r1[3] == r2[3]) and ((r1[3] is None) == (r2[3] is None))
            if same and vector and r1[3] != r2[3]:
                print("vector text differs:", " ".join(args), out, file=sys.stderr)
            if not same:
                differ += 1
                print("DIFFER:", " ".join(args), out, file=sys.stderr)
                for label, x, y in (("status", r1[0], r2[0]), ("stdout", r1[1], r2[1]), ("stderr", r1[2], r2[2])):
                    if x != y:
                        print(f"  {label}: {x[:300]!r} != {y[:300]!r}", file=sys.stderr)
                if r1[3] != r2[3]:
                    print("  file bytes differ", file=sys.stderr)
    print(f"{len(cases)} cases, {len(cases) - differ} identical, {differ} differ")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Writes random trace scripts for comparing two builds of quorix-trace.

Each script types a puzzle from one of the sets in puzzles/, clicks, strikes, keys and ticks at
random, with commands scheduled into the yields of the auto loop (`at`), and ends with Auto
and a `show` (sometimes Check Unique as well). Script i depends only on i, so the same number
gives the same scripts on every machine.

    scripts/random-traces.py OUT_DIR COUNT
"""
import os
import random
import sys
from pathlib import Path


def puzzle_lines(folder):
    sets = {}
    for path in sorted(folder.glob("*.txt")):
        lines = [line.strip() for line in path.read_text().splitlines()]
        lines = [line for line in lines if len(line) == 81]
        if lines:
            sets[path.name] = lines
    return sets


def command(rng):
    x = rng.random()
    if x < 0.25:
        return "click " + rng.choice(["Next", "Next", "Auto", "Check", "CheckUnique", "Save",
                                      "Restore", "Start", "Restart"])
    if x < 0.40:
        return "strike %d" % rng.randrange(729)
    if x < 0.50:
        return "number %d" % rng.randrange(9)
    if x < 0.60:
        return "square %d" % rng.randrange(81)
    if x < 0.70:
        return "key %d %s" % (rng.randrange(81), rng.choice("0123456789"))
    if x < 0.75:
        return "tick"
    if x < 0.78:
        return "click Reset"
    return "click Auto"


def script(rng, sets):
    lines = ["enter " + rng.choice(sets[rng.choice(sorted(sets))])]
    if rng.random() < 0.5:
        lines.append("click Start")
    for _ in range(rng.randrange(1, 8)):
        for _ in range(rng.choice([0, 0, 1, 2, 3])):
            lines.append("at %d %s" % (rng.randrange(1, 40), command(rng)))
        lines.append(command(rng))
        if rng.random() < 0.5:
            lines.append("show")
    lines += ["click Auto", "show"]
    if rng.random() < 0.5:
        lines += ["click CheckUnique", "show"]
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    out = Path(sys.argv[1])
    count = int(sys.argv[2])
    sets = puzzle_lines(Path(__file__).resolve().parent.parent / "puzzles")
    out.mkdir(parents=True, exist_ok=True)
    for i in range(count):
        (out / ("s%04d.txt" % i)).write_text(script(random.Random(i), sets))
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Checks that what README.md quotes and shows is real.

A Markdown comment on the line before a fenced code block marks the block:

  <!-- quote: PATH -->
      The block is the file PATH (relative to the source tree), whole and
      unchanged.

  <!-- transcript -->
      The block is a terminal session: a line "$ COMMAND" is a command, the
      lines after it up to the next command are what it prints, standard
      output and standard error together. The checker runs the commands of
      every transcript in the order they appear, with bash, in one scratch
      directory that also holds the programs named with --program (so both
      "krprof" and "./evaluate_image" find them) and the input files named
      with --file, and compares the output
      line by line. A command that fails must show its failure in the output
      that follows it; nothing else about exit statuses is checked.

Only what truly varies between runs is normalised: a hexadecimal value of
eight or more digits (an address, as in a log line) compares equal to any
other such value. The environment is the caller's, less KRLOG_LEVEL, so that
log lines are written at the default level.

  check_readme.py README --source-dir DIR [--program NAME=PATH ...] [--file NAME=PATH ...]
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

MARKER = re.compile(r"^<!-- (quote: (?P<path>\S+)|(?P<transcript>transcript)) -->$")
FENCE = re.compile(r"^```")
ADDRESS = re.compile(r"0x[0-9a-f]{8,}")


def fenced_block(lines, start):
    """The lines of the fenced block that opens at lines[start]."""
    if start >= len(lines) or not FENCE.match(lines[start]):
        raise ValueError(f"line {start + 1}: a marker must stand right before a fenced block")
    for end in range(start + 1, len(lines)):
        if FENCE.match(lines[end]):
            return lines[start + 1 : end]
    raise ValueError(f"line {start + 1}: the fenced block is not closed")


def normalised(text):
    return ADDRESS.sub("0x<address>", text)


def check_quote(path, block, source_dir):
    with open(os.path.join(source_dir, path), encoding="utf-8") as file:
        expected = file.read().splitlines()
    if block != expected:
        return [f"the block quoting {path} differs from the file"]
    return []


def transcript_steps(block):
    """(command, expected output lines) pairs of a transcript block."""
    steps = []
    for line in block:
        if line.startswith("$ "):
            steps.append((line[2:], []))
        elif steps:
            steps[-1][1].append(line)
        else:
            raise ValueError("a transcript must begin with a command line '$ ...'")
    return steps


def check_transcript(block, work_dir, env):
    failures = []
    for command, expected in transcript_steps(block):
        run = subprocess.run(["bash", "-c", command], cwd=work_dir, env=env, stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, text=True, timeout=120)
        actual = run.stdout.splitlines()
        if [normalised(line) for line in actual] != [normalised(line) for line in expected]:
            failures.append(f"'{command}' printed:\n" + "\n".join(actual) + "\ninstead of:\n" + "\n".join(expected))
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("readme")
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--program", action="append", default=[], metavar="NAME=PATH")
    parser.add_argument("--file", action="append", default=[], metavar="NAME=PATH")
    args = parser.parse_args()

    with open(args.readme, encoding="utf-8") as file:
        lines = file.read().splitlines()

    with tempfile.TemporaryDirectory() as work_dir:
        for link in args.program + args.file:
            name, path = link.split("=", 1)
            os.symlink(os.path.abspath(path), os.path.join(work_dir, name))
        env = {k: v for k, v in os.environ.items() if k != "KRLOG_LEVEL"}
        env["PATH"] = work_dir + os.pathsep + env.get("PATH", "")

        failures, checked = [], 0
        for number, line in enumerate(lines):
            marker = MARKER.match(line)
            if not marker:
                continue
            block = fenced_block(lines, number + 1)
            checked += 1
            if marker.group("path"):
                found = check_quote(marker.group("path"), block, args.source_dir)
            else:
                found = check_transcript(block, work_dir, env)
            failures += [f"{args.readme}:{number + 1}: {failure}" for failure in found]

    for failure in failures:
        print(failure)
    if checked == 0:
        print(f"{args.readme}: no marked block")
        return 1
    print(f"{checked} marked blocks, {len(failures)} failing")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

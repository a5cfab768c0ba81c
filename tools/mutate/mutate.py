#!/usr/bin/env python3
"""Applies one small fault at a time to the sources and asks the test suite to notice it.

Each mutant in the sample (mutants.txt) names a file, a line hint, an exact snippet and its
replacement, and the test programs that ought to catch it. For each one this tool writes the
mutated file, rebuilds only those test programs, runs them with ctest and records whether one
failed (killed), all passed (survived) or the mutant did not compile (stillborn). The file is
put back byte for byte with its old mtime, so the next build is a ccache hit, not a rebuild.
"""

import argparse
import dataclasses
import fnmatch
import os
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HERE = os.path.dirname(os.path.abspath(__file__))

# How far (in lines) from its hint a snippet may have moved and still count as the same place.
HINT_WINDOW = 30

# Stands for a line break inside a snippet, so that every mutant stays on one line.
NEWLINE = "\u23ce"

LINE = re.compile(r"^(?P<id>\S+)\s+(?P<file>[^\s:]+):(?P<line>\d+)\s+(?P<kind>\S+)\s+"
                  r"`(?P<orig>[^`]+)`\s*->\s*`(?P<repl>[^`]*)`\s+(?P<tests>\S.*)$")


class SampleError(Exception):
    pass


@dataclasses.dataclass
class Mutant:
    id: str
    file: str
    line: int
    kind: str
    original: str
    replacement: str
    tests: list
    source_line: int  # where in mutants.txt, for error messages


def parse_sample(path):
    mutants, seen = [], set()
    with open(path, encoding="utf-8") as sample:
        for number, text in enumerate(sample, 1):
            text = text.rstrip("\n")
            if not text.strip() or text.lstrip().startswith("#"):
                continue
            match = LINE.match(text)
            if not match:
                raise SampleError(f"{path}:{number}: not a mutant line: {text}")
            tests = [t for t in re.split(r"[\s,]+", match["tests"]) if t]
            mutant = Mutant(match["id"], match["file"], int(match["line"]), match["kind"],
                            match["orig"].replace(NEWLINE, "\n"),
                            match["repl"].replace(NEWLINE, "\n"), tests, number)
            if mutant.id in seen:
                raise SampleError(f"{path}:{number}: mutant id {mutant.id} is used twice")
            if mutant.original == mutant.replacement:
                raise SampleError(f"{path}:{number}: {mutant.id} replaces a snippet by itself")
            seen.add(mutant.id)
            mutants.append(mutant)
    return mutants


def locate(mutant, text):
    """Returns the offset of the mutant's snippet, refusing a missing or ambiguous one."""
    offsets = [m.start() for m in re.finditer(re.escape(mutant.original), text)]
    if not offsets:
        raise SampleError(f"{mutant.id}: `{mutant.original}` is not in {mutant.file}")
    lines = {offset: text.count("\n", 0, offset) + 1 for offset in offsets}
    near = [o for o in offsets if abs(lines[o] - mutant.line) <= HINT_WINDOW]
    if len(near) == 1:
        return near[0]
    if not near and len(offsets) == 1:
        print(f"note: {mutant.id}: snippet moved from line {mutant.line} to "
              f"{lines[offsets[0]]} of {mutant.file}", file=sys.stderr)
        return offsets[0]
    where = ", ".join(str(lines[o]) for o in (near or offsets))
    raise SampleError(f"{mutant.id}: `{mutant.original}` is ambiguous in {mutant.file} "
                      f"near line {mutant.line} (found on lines {where})")


def run(command, **kwargs):
    return subprocess.run(command, check=True, **kwargs)


def configure(build):
    if os.path.exists(os.path.join(build, "build.ninja")):
        return
    print(f"configuring {build}", flush=True)
    run(["cmake", "-S", ROOT, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
         "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG", "-DCMAKE_C_FLAGS_RELEASE=-O1 -DNDEBUG",
         "-DMOORLET_BUILD_BENCHMARKS=OFF", "-DBUILD_TESTING=ON",
         # Otherwise a changed library reruns moc for every Qt library above it, and each of
         # those recompiles all its objects: a dozen files per mutant instead of one.
         "-DCMAKE_AUTOGEN_ORIGIN_DEPENDS=OFF",
         "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"],
        stdout=subprocess.DEVNULL)


def known_tests(build):
    listing = subprocess.run(["ctest", "--test-dir", build, "-N"], check=True,
                             capture_output=True, text=True).stdout
    return set(re.findall(r"Test\s+#\d+: (\S+)", listing))


def check_sample(mutants, tests):
    """Every snippet must be found once and every test program must exist: fail before mutating."""
    problems = []
    for mutant in mutants:
        path = os.path.join(ROOT, mutant.file)
        try:
            with open(path, encoding="utf-8") as source:
                locate(mutant, source.read())
        except (OSError, SampleError) as error:
            problems.append(str(error))
        missing = [t for t in mutant.tests if tests is not None and t not in tests]
        if missing:
            problems.append(f"{mutant.id}: no such test program: {' '.join(missing)}")
    if problems:
        raise SampleError("the sample does not fit this checkout:\n  " + "\n  ".join(problems))


def object_map(build):
    """Maps each source or header to the object files compiled from it (from ninja's deps log)."""
    out = subprocess.run(["ninja", "-C", build, "-t", "deps"], check=True,
                         capture_output=True, text=True).stdout
    objects, current = {}, None
    for line in out.splitlines():
        if line and not line.startswith(" "):
            current = os.path.normpath(os.path.join(build, line.split(":")[0]))
        elif line.strip() and current:
            dep = os.path.normpath(os.path.join(build, line.strip()))
            objects.setdefault(dep, []).append(current)
    return objects


def build_targets(build, targets, jobs, log):
    result = subprocess.run(["ninja", "-C", build, f"-j{jobs}", *targets],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if log is not None:
        log.write(result.stdout)
    return result.returncode == 0


def run_tests(build, tests, timeout):
    """True when every test passed. Crashes and time-outs are failures, and the first failure
    ends the run. Each test is its own ctest call so that the time-out holds per test: ctest's
    own --timeout gives way to the TIMEOUT property every test here has."""
    outputs = []
    for test in tests:
        command = ["ctest", "--test-dir", build, "-R", f"^{re.escape(test)}$", "--timeout",
                   str(timeout), "--output-on-failure"]
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                   text=True, start_new_session=True)
        try:
            output, _ = process.communicate(timeout=timeout + 15)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.communicate()
            return False, "".join(outputs) + f"{test} timed out\n"
        except BaseException:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            raise
        outputs.append(output)
        if process.returncode != 0 or "No tests were found" in output:
            return False, "".join(outputs)
    return True, "".join(outputs)


class Restorer:
    """Holds a file's original bytes and mtime and puts them back, whatever happens."""

    def __init__(self, path):
        self.path = path
        with open(path, "rb") as source:
            self.data = source.read()
        self.stat = os.stat(path)

    def write(self, data):
        with open(self.path, "wb") as target:
            target.write(data)

    def restore(self):
        self.write(self.data)
        os.utime(self.path, ns=(self.stat.st_atime_ns, self.stat.st_mtime_ns))


def terminate(signum, frame):
    raise KeyboardInterrupt


def run_sample(args, mutants):
    build = os.path.abspath(args.build)
    configure(build)
    check_sample(mutants, known_tests(build))
    all_tests = sorted({t for m in mutants for t in m.tests})
    log = open(os.path.join(build, "mutate.log"), "a", encoding="utf-8")
    print(f"building {len(all_tests)} test programs", flush=True)
    if not build_targets(build, all_tests, args.jobs, log):
        raise SampleError(f"the unmutated tree does not build; see {build}/mutate.log")
    if not args.no_check:
        passed, output = run_tests(build, all_tests, args.timeout)
        if not passed:
            raise SampleError("the unmutated suite already fails, so no mutant could be judged:\n"
                              + output[-3000:])
    objects = object_map(build)
    by_file = {}
    for mutant in mutants:  # grouped by file: one file's objects are rebuilt in a row
        by_file.setdefault(mutant.file, []).append(mutant)

    results = []
    if args.resume and os.path.exists(args.output):
        out = open(args.output, "a", encoding="utf-8")
    else:
        out = open(args.output, "w", encoding="utf-8")
        out.write("id\tfile\tkind\tresult\tseconds\n")
    done = 0
    for file, group in by_file.items():
        path = os.path.join(ROOT, file)
        restorer = Restorer(path)
        text = restorer.data.decode("utf-8")
        started = time.time()
        try:
            for mutant in group:
                done += 1
                begin = time.monotonic()
                offset = locate(mutant, text)
                mutated = text[:offset] + mutant.replacement + text[offset + len(mutant.original):]
                restorer.write(mutated.encode("utf-8"))
                log.write(f"\n=== {mutant.id} {file}:{mutant.line}\n")
                if not build_targets(build, mutant.tests, args.jobs, log):
                    result = "stillborn"
                else:
                    passed, output = run_tests(build, mutant.tests, args.timeout)
                    log.write(output)
                    result = "survived" if passed else "killed"
                restorer.restore()
                seconds = time.monotonic() - begin
                results.append((mutant, result))
                out.write(f"{mutant.id}\t{file}\t{mutant.kind}\t{result}\t{seconds:.1f}\n")
                out.flush()
                log.flush()
                print(f"[{done}/{len(mutants)}] {mutant.id:<14} {result:<9} {seconds:5.1f}s  "
                      f"{file}:{mutant.line} {mutant.kind}", flush=True)
        finally:
            restorer.restore()
            # The restored file is older than the objects built from its mutants, so ninja
            # would keep them: drop those objects and let ccache bring the real ones back.
            for obj in objects.get(os.path.normpath(path), []):
                try:
                    if os.stat(obj).st_mtime >= started:
                        os.remove(obj)
                except FileNotFoundError:
                    pass
    out.close()
    return results


def show(snippet):
    return snippet.replace("\n", NEWLINE)


def summarise(results):
    killed = sum(1 for _, r in results if r == "killed")
    survived = [m for m, r in results if r == "survived"]
    stillborn = sum(1 for _, r in results if r == "stillborn")
    judged = killed + len(survived)
    score = 100.0 * killed / judged if judged else 0.0
    print(f"\nmutation score: {killed} / {judged} = {score:.1f} % "
          f"({len(survived)} survived, {stillborn} stillborn)")
    for mutant in survived:
        print(f"  survived {mutant.id:<14} {mutant.file}:{mutant.line} {mutant.kind} "
              f"`{show(mutant.original)}` -> `{show(mutant.replacement)}`")


def read_results(path):
    with open(path, encoding="utf-8") as tsv:
        rows = [line.rstrip("\n").split("\t") for line in tsv][1:]
    return {row[0]: row[3] for row in rows if len(row) >= 4}


def compare(base_path, new_path, mutants):
    base, new = read_results(base_path), read_results(new_path)
    by_id = {m.id: m for m in mutants}
    lost = [i for i, r in base.items() if r == "killed" and new.get(i) == "survived"]
    unjudged = [i for i, r in base.items() if r == "killed" and new.get(i) not in
                (None, "killed", "survived")]
    gained = [i for i, r in base.items() if r == "survived" and new.get(i) == "killed"]
    print(f"\nagainst {base_path}: {len(lost)} killed before and surviving now, "
          f"{len(gained)} surviving before and killed now")
    for i in lost:
        m = by_id.get(i)
        print(f"  lost {i:<14} " + (f"{m.file}:{m.line} `{show(m.original)}` -> `{show(m.replacement)}`"
                                    if m else "(no longer in the sample)"))
    for i in unjudged:
        print(f"  killed before, {new[i]} now: {i}")
    return not lost


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mutate"),
                        help="build folder (configured with -O1 and no benchmarks if missing)")
    parser.add_argument("--sample", default=os.path.join(HERE, "mutants.txt"))
    parser.add_argument("--only", action="append", metavar="PATTERN",
                        help="run only mutants whose id or file matches this glob (repeatable)")
    parser.add_argument("--tests", action="append", metavar="PATTERN",
                        help="run only mutants naming a test program that matches this glob "
                             "(repeatable; with --only, a mutant must match both)")
    parser.add_argument("--list", action="store_true",
                        help="check the sample against this checkout and list it; build nothing")
    parser.add_argument("--output", default=None,
                        help="results TSV (default: results.tsv in the build folder)")
    parser.add_argument("--compare", metavar="BASE_TSV",
                        help="list mutants killed in BASE_TSV that survive in this run")
    parser.add_argument("--no-run", action="store_true",
                        help="with --compare: compare the existing --output instead of running")
    parser.add_argument("--timeout", type=int, default=60, help="seconds per test program")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--resume", action="store_true",
                        help="keep the mutants already in --output and run only the rest")
    parser.add_argument("--no-check", action="store_true",
                        help="skip the run of the unmutated suite before the mutants")
    args = parser.parse_args()
    args.output = args.output or os.path.join(os.path.abspath(args.build), "results.tsv")

    try:
        mutants = parse_sample(args.sample)
        if args.only:
            mutants = [m for m in mutants if any(fnmatch.fnmatch(m.id, p) or
                       fnmatch.fnmatch(m.file, p) for p in args.only)]
            if not mutants:
                raise SampleError("--only matched no mutant")
        if args.tests:
            mutants = [m for m in mutants if any(fnmatch.fnmatch(t, p) for t in m.tests
                                                 for p in args.tests)]
            if not mutants:
                raise SampleError("--tests matched no mutant")
        if args.list:
            check_sample(mutants, None)
            for m in mutants:
                print(f"{m.id}\t{m.file}:{m.line}\t{m.kind}\t{' '.join(m.tests)}")
            print(f"{len(mutants)} mutants in {len({m.file for m in mutants})} files",
                  file=sys.stderr)
            return 0
        if not args.no_run:
            if shutil.which("ninja") is None:
                raise SampleError("ninja is needed")
            signal.signal(signal.SIGTERM, terminate)
            begin = time.monotonic()
            if args.resume and os.path.exists(args.output):
                judged = read_results(args.output)
                left = [m for m in mutants if m.id not in judged]
                print(f"resuming: {len(mutants) - len(left)} mutants already in {args.output}")
                judged = [(m, judged[m.id]) for m in mutants if m.id in judged]
                results = judged + (run_sample(args, left) if left else [])
            else:
                results = run_sample(args, mutants)
            summarise(results)
            print(f"run time: {(time.monotonic() - begin) / 60:.1f} min; results in {args.output}")
        if args.compare:
            return 0 if compare(args.compare, args.output, mutants) else 1
        return 0
    except SampleError as error:
        print(f"error: {error}", file=sys.stderr)
        return 2
    except KeyboardInterrupt:
        print("\ninterrupted; every file is restored", file=sys.stderr)
        return 130


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Mutation testing for Ladderly: which faults does the test suite catch, and which test catches
each one that no other test catches.

A mutant is one small change to one line of src/**/*.cpp: a comparison flipped, a condition
negated, && and || exchanged, an integer constant changed by one, a statement deleted, or a
function returning at once. A seeded random sample of all such sites is tried one at a time in a
build folder of this script's own: the GoogleTest executables that link the mutant's library are
rebuilt (only what the mutant touches recompiles) and their tests run, and the mutant is killed
(a test failed or timed out), survived, or did not compile. The script tests, which stage or
package the whole game, are left out. The source file is always restored, also after Ctrl-C; a
mutant left behind by a killed run is restored at the next start.

    scripts/mutate.py --sample 150 --seed 26            run and write build/mutate/report.{json,md}
    scripts/mutate.py --sample 150 --seed 26 --list     only list the sampled mutants
    scripts/mutate.py ... --compare OLD.json            also tell which mutants OLD killed and
                                                        this run does not
    scripts/mutate.py --replay OLD.json --compare OLD.json
                                                        try OLD's mutants again on today's source,
                                                        e.g. to see what a change of the tests lost
"""

import argparse
import json
import os
import random
import re
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

COMPARISONS = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
STATEMENT_KEYWORDS = {
    "return", "break", "continue", "case", "default", "goto", "throw", "const", "constexpr",
    "static", "auto", "using", "typedef", "namespace", "template", "else", "do", "delete", "new",
}


# ---------------------------------------------------------------------------------------------
# Finding the sites


def mask_code(text):
    """The text with comments, string and character literals and preprocessor lines blanked
    (same length, newlines kept), so that patterns only ever match code."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#":
            while i < n and text[i] != "\n":
                out.append(" ")
                i += 1
            continue
        if c in " \t":
            out.append(c)
            i += 1
            continue
        line_start = c == "\n"
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out.append(" ")
                i += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.extend(ch if ch == "\n" else " " for ch in text[i:end])
            i = end
        elif c == 'R' and text.startswith('R"', i):
            delimiter_end = text.find("(", i + 2)
            delimiter = text[i + 2:delimiter_end]
            end = text.find(")" + delimiter + '"', delimiter_end)
            end = n if end < 0 else end + len(delimiter) + 2
            out.append('R"')
            out.extend(ch if ch == "\n" else " " for ch in text[i + 2:end - 1])
            out.append('"')
            i = end
        elif c in "\"'":
            # A quote right after a digit is a digit separator (1'000), not a literal.
            if c == "'" and i > 0 and text[i - 1].isalnum():
                out.append(c)
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c)
            out.extend(" " for _ in text[i + 1:j])
            if j < n:
                out.append(text[j])
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def matching_paren(line, open_at):
    depth = 0
    for at in range(open_at, len(line)):
        if line[at] == "(":
            depth += 1
        elif line[at] == ")":
            depth -= 1
            if depth == 0:
                return at
    return -1


def line_sites(path, number, code, raw, function_kind):
    """The mutants of one line: (operator, column, original, replacement) tuples."""
    sites = []
    for match in re.finditer(r"(?<=[\w)\]] )(==|!=|<=|>=|<|>)(?= [\w(!*&-])", code):
        op = match.group(1)
        sites.append(("flip comparison", match.start(), op, COMPARISONS[op]))
    for match in re.finditer(r" (&&|\|\|) ", code):
        op = match.group(1)
        sites.append(("exchange && and ||", match.start() + 1, op, "||" if op == "&&" else "&&"))
    for match in re.finditer(r"\b(if|while) \(", code):
        open_at = match.end() - 1
        close_at = matching_paren(code, open_at)
        if close_at > open_at:
            condition = raw[open_at + 1:close_at]
            sites.append(("negate condition", open_at + 1, condition, "!(" + condition + ")"))
    for match in re.finditer(r"(?<![\w.])(\d+)(?![\w.'])", code):
        value = int(match.group(1))
        replacement = str(value + 1) if value == 0 or (number + match.start()) % 2 else str(value - 1)
        sites.append(("constant by one", match.start(), match.group(1), replacement))
    stripped = code.strip()
    first = re.match(r"[A-Za-z_]\w*", stripped)
    if (stripped.endswith(";") and first and first.group(0) not in STATEMENT_KEYWORDS and
            re.match(r"[A-Za-z_][\w:.\->\[\]]*\s*(\(|=|\+=|-=|\|=|&=|\+\+|--)", stripped) and
            not re.match(r"[A-Za-z_][\w:]*\s*(<[^;]*>)?\s*[A-Za-z_]\w*\s*[({=;]", stripped)):
        indent = len(code) - len(code.lstrip())
        sites.append(("delete statement", indent, raw.strip(), ";"))
    if function_kind:
        indent = len(code) - len(code.lstrip())
        early = "return; " if function_kind == "void" else "return {}; "
        sites.append(("return early", indent, "", early))
    return sites


SIGNATURE = re.compile(r"^(?!namespace|struct|class|enum|union|extern)([A-Za-z_][\w:<>,*& ]*?)\s*"
                       r"\b([\w:~]+)\(.*\)\s*(const)?\s*(noexcept)?\s*(override)?\s*\{\s*$")


def function_kinds(code_lines):
    """For the first statement of each top-level function body: 'void' or 'value'."""
    kinds = {}
    for index, line in enumerate(code_lines):
        match = SIGNATURE.match(line)
        if not match or not match.group(1).strip():
            continue
        return_type = match.group(1).strip()
        if return_type in {"else", "return"}:
            continue
        following = index + 1
        while following < len(code_lines) and not code_lines[following].strip():
            following += 1
        if following < len(code_lines) and code_lines[following].strip() not in {"}", ""}:
            kinds[following] = "void" if return_type.split()[-1] == "void" else "value"
    return kinds


def find_sites():
    sites = []
    for path in sorted((ROOT / "src").rglob("*.cpp")):
        relative = path.relative_to(ROOT).as_posix()
        text = path.read_text()
        raw_lines = text.split("\n")
        code_lines = mask_code(text).split("\n")
        kinds = function_kinds(code_lines)
        for index, (code, raw) in enumerate(zip(code_lines, raw_lines)):
            for operator, column, original, replacement in line_sites(
                    relative, index + 1, code, raw, kinds.get(index)):
                sites.append({"file": relative, "line": index + 1, "column": column,
                              "operator": operator, "original": original,
                              "replacement": replacement})
    return sites


def replay_sites(old, sites):
    """The mutants of an earlier report found again among today's sites: the same change in the
    same file, on the nearest line (code around it may have moved). Mutants whose code is gone
    are left out."""
    sample = []
    for mutant in old["mutants"]:
        same = [site for site in sites if all(site[key] == mutant[key] for key in
                                              ("file", "operator", "original", "replacement"))]
        if same:
            site = min(same, key=lambda s: (abs(s["line"] - mutant["line"]),
                                            abs(s["column"] - mutant["column"])))
            sample.append(dict(site, id=mutant["id"]))
    return sample


def apply_site(text, site):
    lines = text.split("\n")
    line = lines[site["line"] - 1]
    column, original = site["column"], site["original"]
    if site["operator"] == "delete statement":
        lines[site["line"] - 1] = line[:column] + site["replacement"]
    elif site["operator"] == "return early":
        lines[site["line"] - 1] = line[:column] + site["replacement"] + line[column:]
    else:
        if line[column:column + len(original)] != original:
            raise ValueError("the source changed under the mutant")
        lines[site["line"] - 1] = line[:column] + site["replacement"] + line[column + len(original):]
    return "\n".join(lines)


def library_of(relative):
    """The static library a source file is built into, read from its folder's CMakeLists.txt."""
    path = ROOT / relative
    folder = path.parent
    while folder != ROOT:
        cmake = folder / "CMakeLists.txt"
        if cmake.exists():
            text = cmake.read_text()
            for match in re.finditer(r"ladderly_library\((\w+)(.*?)\)", text, re.S):
                if re.search(r"(^|\s|/)" + re.escape(path.name) + r"(\s|$)", match.group(2)):
                    return match.group(1)
        folder = folder.parent
    return relative.split("/")[1]


# ---------------------------------------------------------------------------------------------
# Building and testing


def run(command, cwd=None, timeout=None):
    return subprocess.run(command, cwd=cwd, timeout=timeout, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True)


def configure_and_build(build, jobs):
    if not (build / "CMakeCache.txt").exists():
        # No debug information: the links of the test executables are most of a mutant's cost.
        result = run(["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Debug",
                      "-DCMAKE_CXX_FLAGS_DEBUG=-O0", "-DLADDERLY_BENCH=OFF"])
        if result.returncode:
            sys.exit("configure failed:\n" + result.stdout)
    result = run(["cmake", "--build", str(build), "-j", str(jobs)])
    if result.returncode:
        sys.exit("the unmutated build failed:\n" + result.stdout[-4000:])


def test_executables(build):
    """The GoogleTest executables CTest runs: {path: (target, [test names], [libraries])}. The
    script tests (staging, packages, the accessibility bus) are left out: each stages or
    packages the whole game."""
    result = run(["ctest", "--show-only=json-v1"], cwd=build)
    found = {}
    for test in json.loads(result.stdout)["tests"]:
        command = test.get("command") or []
        if not command or command[0].endswith(".sh"):
            continue
        path = Path(command[0])
        if str(path) not in found:
            link = next(build.rglob(f"CMakeFiles/{path.name}.dir/link.txt"), None)
            if link is None:
                continue
            found[str(path)] = (path.name, [], re.findall(r"lib(\w+)\.a\b", link.read_text()))
        found[str(path)][1].append(test["name"])
    return found


def run_tests(build, names, jobs, timeout):
    """The names of the tests among `names` that failed or timed out."""
    if not names:
        return set()
    junit = build / "mutate-junit.xml"
    junit.unlink(missing_ok=True)
    pattern = "^(" + "|".join(re.escape(name) for name in sorted(names)) + ")$"
    run(["ctest", "-R", pattern, "-j", str(jobs), "--timeout", str(timeout),
         "--output-junit", str(junit)], cwd=build, timeout=timeout * len(names) + 60)
    failed = set()
    if junit.exists():
        for case in ElementTree.parse(junit).getroot().iter("testcase"):
            if case.get("status") in {"fail", "failed"} or case.find("failure") is not None:
                failed.add(case.get("name"))
    return failed


class Restorer:
    """Keeps the original of the file under mutation on disk, so a killed run is undone later."""

    def __init__(self, build):
        self.record = build / "mutate-original.json"

    def restore_left_over(self):
        if self.record.exists():
            saved = json.loads(self.record.read_text())
            (ROOT / saved["file"]).write_text(saved["text"])
            self.record.unlink()
            print("restored", saved["file"], "left mutated by an earlier run")

    def mutate(self, relative, text, mutated):
        self.record.write_text(json.dumps({"file": relative, "text": text}))
        (ROOT / relative).write_text(mutated)

    def restore(self, relative, text):
        (ROOT / relative).write_text(text)
        self.record.unlink(missing_ok=True)


def try_mutant(site, build, jobs, executables, restorer, baseline_passing, timeout):
    """Builds the test executables that link the mutant's library and runs their tests. Only
    executables built for this mutant are run, so one left linked with an earlier mutant is
    rebuilt before it runs again."""
    path = ROOT / site["file"]
    original = path.read_text()
    source_time = path.stat().st_mtime_ns
    chosen = [entry for entry in executables.values() if site["library"] in entry[2]]
    if not chosen:
        return "no test links it", []
    try:
        restorer.mutate(site["file"], original, apply_site(original, site))
        targets = [target for target, _, _ in chosen]
        built = run(["cmake", "--build", str(build), "-j", str(jobs), "--target", *targets],
                    timeout=1800)
        if built.returncode:
            return "not compiling", []
        names = {name for _, tests, _ in chosen for name in tests if name in baseline_passing}
        failed = run_tests(build, names, jobs, timeout)
        return ("killed" if failed else "survived"), sorted(failed)
    finally:
        restorer.restore(site["file"], original)
        # The restored file must look newer than the mutant's objects, or make keeps them.
        os.utime(path, ns=(time.time_ns(), max(time.time_ns(), source_time + 1)))


# ---------------------------------------------------------------------------------------------
# Reporting


def summarize(results, compare):
    libraries = {}
    for result in results:
        counts = libraries.setdefault(result["library"], {"killed": 0, "survived": 0,
                                                           "not compiling": 0,
                                                           "no test links it": 0})
        counts[result["status"]] += 1
    unique = {}
    for result in results:
        if len(result["killed_by"]) == 1:
            unique.setdefault(result["killed_by"][0], []).append(result["id"])
    lines = ["# Mutation report", ""]
    killed = sum(r["status"] == "killed" for r in results)
    survived = sum(r["status"] == "survived" for r in results)
    lines.append(f"{len(results)} mutants: {killed} killed, {survived} survived, "
                 f"{len(results) - killed - survived} not compiling or untested; score "
                 f"{100 * killed / max(1, killed + survived):.1f}%")
    lines += ["", "| library | killed | survived | not compiling | score |", "|---|---|---|---|---|"]
    for library, counts in sorted(libraries.items()):
        total = counts["killed"] + counts["survived"]
        lines.append(f"| {library} | {counts['killed']} | {counts['survived']} | "
                     f"{counts['not compiling']} | {100 * counts['killed'] / max(1, total):.0f}% |")
    lines += ["", "## Surviving mutants", ""]
    for result in results:
        if result["status"] == "survived":
            lines.append(f"- #{result['id']} {result['file']}:{result['line']} "
                         f"{result['operator']}: `{result['original']}` -> "
                         f"`{result['replacement']}`")
    lines += ["", "## Tests that alone kill a mutant", ""]
    for test, ids in sorted(unique.items()):
        lines.append(f"- {test}: " + ", ".join(f"#{i}" for i in ids))
    if compare:
        lines += ["", "## Killed by the compared run, not by this one", ""]
        now = {r["id"]: r for r in results}
        for old in compare["mutants"]:
            new = now.get(old["id"])
            if old["status"] == "killed" and new and new["status"] == "survived":
                lines.append(f"- #{old['id']} {old['file']}:{old['line']} {old['operator']}: "
                             f"`{old['original']}` -> `{old['replacement']}` "
                             f"(was killed by {', '.join(old['killed_by'])})")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=str(ROOT / "build" / "mutate"))
    parser.add_argument("--sample", type=int, default=150)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--timeout", type=int, default=60, help="seconds per test")
    parser.add_argument("--list", action="store_true", help="only list the sampled mutants")
    parser.add_argument("--compare", help="an earlier report.json of the same sample")
    parser.add_argument("--only", help="sample only the files whose path matches this pattern")
    parser.add_argument("--replay", help="an earlier report.json whose mutants are tried again")
    arguments = parser.parse_args()

    build = Path(arguments.build).resolve()
    build.mkdir(parents=True, exist_ok=True)
    restorer = Restorer(build)
    restorer.restore_left_over()

    sites = find_sites()
    if arguments.only:
        sites = [site for site in sites if re.search(arguments.only, site["file"])]
    if arguments.replay:
        sample = replay_sites(json.loads(Path(arguments.replay).read_text()), sites)
    else:
        sample = random.Random(arguments.seed).sample(sites, min(arguments.sample, len(sites)))
        sample.sort(key=lambda s: (s["file"], s["line"], s["column"], s["operator"]))
        for number, site in enumerate(sample, 1):
            site["id"] = number
    for site in sample:
        site["library"] = library_of(site["file"])
    if arguments.list:
        for site in sample:
            print(f"#{site['id']} {site['file']}:{site['line']} {site['operator']}: "
                  f"`{site['original']}` -> `{site['replacement']}`")
        print(f"{len(sample)} of {len(sites)} sites")
        return

    configure_and_build(build, arguments.jobs)
    executables = test_executables(build)
    every_test = {name for _, tests, _ in executables.values() for name in tests}
    failing = run_tests(build, every_test, arguments.jobs, arguments.timeout)
    baseline_passing = every_test - failing
    if failing:
        print("left out, failing before any mutant:", ", ".join(sorted(failing)))

    results = []
    for site in sample:
        started = time.time()
        status, killed_by = try_mutant(site, build, arguments.jobs, executables, restorer,
                                       baseline_passing, arguments.timeout)
        results.append(dict(site, status=status, killed_by=killed_by))
        print(f"#{site['id']:>3} {status:<13} {time.time() - started:5.0f} s  "
              f"{site['file']}:{site['line']} {site['operator']}", flush=True)
        (build / "report.json").write_text(json.dumps(
            {"seed": arguments.seed, "sample": arguments.sample, "sites": len(sites),
             "mutants": results}, indent=1))

    compare = json.loads(Path(arguments.compare).read_text()) if arguments.compare else None
    report = summarize(results, compare)
    (build / "report.md").write_text(report)
    print(report)


if __name__ == "__main__":
    main()

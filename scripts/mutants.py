#!/usr/bin/env python3
"""Mutation testing of the portable code against the native tests.

Run through scripts/mutation.sh, which prepares the two builds this needs:
  COV   a coverage build whose test run says which lines execute
  MUT   a build of a scratch copy of the tree, where each mutant is compiled

For every executed line of the chosen files, small mutants are made one at a
time (relational and logical operators swapped, + and - swapped, integer
constants changed, conditions negated, a call statement removed, a returned
truth value flipped). Each is built and the native tests are run against it:
the mutant is killed when a test fails, crashes or hangs, survives when all
pass, and stillborn when it does not compile. One TSV row per mutant goes to
the results file; the totals go to standard output. With --sample N only
every Nth mutant (counted over all files, in file and line order) is built:
an even sample of a large tree, for a score in a fraction of the time.
"""
import argparse
import json
import pathlib
import re
import subprocess
import sys
import time

RELATIONAL = {"==": "!=", "!=": "==", "<=": "<", ">=": ">", " < ": " <= ", " > ": " >= "}
LOGICAL = {"&&": "||", "||": "&&"}
ARITHMETIC = {" + ": " - ", " - ": " + "}
RETURNS = {"return true;": "return false;", "return false;": "return true;",
           "return 1;": "return 0;", "return 0;": "return 1;"}
STATEMENT = re.compile(r"^(\s*)[A-Za-z_][\w:.>\-]*(\([^;]*\)|\s*[-+*/|&]?=[^=].*);\s*$")
DECLARATION = re.compile(r"^\s*(const\s+|static\s+|constexpr\s+)*(auto|bool|char|int|unsigned|size_t|u?int\d+_t|"
                         r"std::|DWORD|HANDLE|[A-Z]\w*\s+\w+\s*[=({;])")
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")


def masked(line):
    """The line with string and character literals and a trailing comment
    blanked out, so that operators inside them are never mutated."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            out.append(" " if c != quote else c)
            if c == "\\" and i + 1 < len(line):
                out.append(" ")
                i += 1
            elif c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def matching_paren(text, open_at):
    depth = 0
    for i in range(open_at, len(text)):
        depth += {"(": 1, ")": -1}.get(text[i], 0)
        if depth == 0:
            return i
    return -1


def mutants_of(line):
    """(operator, mutated line) for every mutant of one source line."""
    view = masked(line)
    stripped = view.strip()
    if not stripped or stripped.startswith(("#", "//", "*", "/*")) or "static_assert" in view:
        return
    for table, kind in ((RELATIONAL, "relational"), (LOGICAL, "logical"), (ARITHMETIC, "arithmetic")):
        for old, new in table.items():
            start = 0
            while (at := view.find(old, start)) >= 0:
                start = at + len(old)
                if kind == "relational" and old in ("<=", ">=") and view[at - 1:at] in "<>":
                    continue  # <<= and >>=
                yield kind, line[:at] + new + line[at + len(old):]
    for match in INTEGER.finditer(view):
        value = int(match.group(1))
        if "[" in view[:match.start()] and "]" in view[match.end():] and DECLARATION.match(view):
            continue  # array sizes in declarations
        for changed in {value + 1, max(value - 1, 0)} - {value}:
            yield "constant", line[:match.start()] + str(changed) + line[match.end():]
    for keyword in ("if (", "while ("):
        at = view.find(keyword)
        if at >= 0:
            open_at = at + len(keyword) - 1
            close_at = matching_paren(view, open_at)
            if close_at > 0:
                yield "negation", (line[:open_at + 1] + "!(" + line[open_at + 1:close_at] + ")" + line[close_at:])
    for old, new in RETURNS.items():
        if view.strip() == old:
            yield "return", line.replace(old, new)
    if STATEMENT.match(view) and not DECLARATION.match(view) and not stripped.startswith(("return", "break", "continue")):
        yield "removal", re.match(r"^\s*", line).group(0) + ";\n"


def executed_lines(coverage_dir, repo):
    """{source path relative to the repo: set of executed line numbers}."""
    executed = {}
    for gcda in pathlib.Path(coverage_dir).rglob("*.gcda"):
        result = subprocess.run(["gcov", "--json-format", "--stdout", str(gcda)], cwd=gcda.parent,
                                capture_output=True, text=True)
        for document in result.stdout.splitlines():
            if not document.strip():
                continue
            report = json.loads(document)
            base = pathlib.Path(report.get("current_working_directory", gcda.parent))
            for entry in report.get("files", []):
                path = pathlib.Path(entry["file"])
                if not path.is_absolute():
                    path = base / path
                try:
                    relative = str(path.resolve().relative_to(repo))
                except ValueError:
                    continue
                lines = executed.setdefault(relative, set())
                lines.update(l["line_number"] for l in entry["lines"] if l["count"] > 0)
    return executed


def run(command, timeout, cwd=None):
    try:
        return subprocess.run(command, cwd=cwd, capture_output=True, timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--repo", required=True, help="the tree whose files are mutated (a scratch copy)")
    parser.add_argument("--source-repo", required=True, help="the tree the coverage build was made from")
    parser.add_argument("--coverage", required=True, help="the coverage build folder (after its test run)")
    parser.add_argument("--build", required=True, help="the build folder of --repo")
    parser.add_argument("--results", required=True, help="TSV file, one row per mutant")
    parser.add_argument("--sample", type=int, default=1, help="build every Nth mutant only")
    parser.add_argument("files", nargs="+", help="source files, relative to the repository")
    args = parser.parse_args()

    repo = pathlib.Path(args.repo).resolve()
    executed = executed_lines(args.coverage, pathlib.Path(args.source_repo).resolve())
    tests = [str(pathlib.Path(args.build) / "bin" / "native_tests"), "--gtest_brief=1", "--gtest_fail_fast"]
    build = ["ninja", "-C", args.build, "native_tests", "pkgtool"]
    if run(build, 600) != 0 or run(tests, 600) != 0:
        sys.exit("mutants: the unmutated build or its tests fail")
    started = time.time()
    run(tests, 600)
    test_timeout = max(30, 5 * (time.time() - started))

    totals = {"killed": 0, "survived": 0, "stillborn": 0}
    made = 0
    with open(args.results, "w") as results:
        results.write("file\tline\toperator\toutcome\tmutant\n")
        for name in args.files:
            path = repo / name
            original = path.read_text()
            lines = original.splitlines(keepends=True)
            for number in sorted(executed.get(name, ())):
                for kind, mutant in mutants_of(lines[number - 1]):
                    made += 1
                    if made % args.sample:
                        continue
                    path.write_text("".join(lines[:number - 1] + [mutant] + lines[number:]))
                    if run(build, 600) != 0:
                        outcome = "stillborn"
                    else:
                        outcome = "survived" if run(tests, test_timeout) == 0 else "killed"
                    totals[outcome] += 1
                    results.write(f"{name}\t{number}\t{kind}\t{outcome}\t{mutant.strip()}\n")
                    results.flush()
                    path.write_text(original)
            run(build, 600)
    scored = totals["killed"] + totals["survived"]
    print(f"mutants: {scored} built, {totals['killed']} killed, {totals['survived']} survived, "
          f"{totals['stillborn']} stillborn; score {100 * totals['killed'] / max(scored, 1):.1f}%")


if __name__ == "__main__":
    main()

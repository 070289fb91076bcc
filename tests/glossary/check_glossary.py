#!/usr/bin/env python3
"""Checks the program's texts, the manual and the man pages against help/glossary.tsv.

Prints every line that uses a word the glossary replaces, as file:line, and every exception that
no longer keeps any text (a fixed text that changed), and exits 1 if there is one.
Usage: check_glossary.py SOURCE_DIR
"""
import fnmatch
import pathlib
import re
import sys

# The readers' glossary names the other words a reader may know, on purpose.
SKIPPED = {"help/glossary.html", "help/glossary.tsv"}
TEXT_SUFFIXES = {".cpp", ".h", ".in", ".h2m", ".desktop", ".html", ".js", ".css", ".txt", ".xml", ".json", ".md"}


def load(path):
    terms, exceptions = [], []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not raw.strip() or raw.startswith("#"):
            continue
        cells = raw.split("\t")
        if len(cells) != 3 or not all(cells[:2]) or not cells[2]:
            raise SystemExit(f"{path}:{number}: three tab-separated columns expected")
        if cells[0] == "例外":
            exceptions.append((cells[1], cells[2]))
            continue
        patterns = []
        for variant in cells[1].split("｜"):
            patterns.append(re.compile(variant[3:] if variant.startswith("re:") else re.escape(variant)))
        terms.append((cells[0], patterns))
    return terms, exceptions


def files(root):
    for path in sorted((root / "src").rglob("*")):
        if path.is_file() and path.suffix in TEXT_SUFFIXES:
            yield path
    yield from sorted((root / "help").glob("*.html"))


def findings(root, terms, exceptions, used):
    for path in files(root):
        name = path.relative_to(root).as_posix()
        if name in SKIPPED:
            continue
        kept = [(pattern, text) for pattern, text in exceptions if fnmatch.fnmatchcase(name, pattern)]
        for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            for exception in kept:
                if exception[1] in line:
                    used.add(exception)
                line = line.replace(exception[1], "\0" * len(exception[1]))
            for term, patterns in terms:
                # A replaced word that is part of the preferred term itself (Webサーバ in Webサーバー) is fine.
                preferred = [(m.start(), m.end()) for m in re.finditer(re.escape(term), line)]
                for pattern in patterns:
                    for m in pattern.finditer(line):
                        if not any(s <= m.start() and m.end() <= e for s, e in preferred):
                            yield f"{name}:{number}: 「{m.group(0)}」ではなく「{term}」"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    terms, exceptions = load(root / "help" / "glossary.tsv")
    used = set()
    problems = list(findings(root, terms, exceptions, used))
    problems += [f"help/glossary.tsv: 例外「{text}」（{pattern}）はどこにもありません" for pattern, text in exceptions
                 if (pattern, text) not in used]
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

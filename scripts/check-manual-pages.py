#!/usr/bin/env python3
"""Checks that the manual pages name every command-line option and batch statement the README
lists: the fmtoobj options of its table, every --option of the Marionet sections, and the
leading keywords of every batch statement ("answer file", "show bone", "snapshot").
Prints what is missing and exits with 1, so a statement added to the README without its line
in packaging/man/ fails the test run."""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def rendered(page):
    """The page as a reader sees it: wide, so that no word is hyphenated across lines."""
    env = dict(os.environ, MANWIDTH="1000", MAN_KEEP_FORMATTING="0")
    text = subprocess.run(["man", "-l", os.path.join(ROOT, "packaging", "man", page)],
                          env=env, capture_output=True, text=True, check=True).stdout
    text = re.sub(r".\x08", "", text)
    return re.sub(r"\s+", " ", text)


def sections(readme):
    """The README's "## " sections by title."""
    parts = re.split(r"^## (.+)$", readme, flags=re.M)
    return {parts[i].strip(): parts[i + 1] for i in range(1, len(parts) - 1, 2)}


def first_column_codes(section):
    """The backticked items in the first column of the section's tables."""
    codes = []
    for line in section.splitlines():
        if line.startswith("| `"):
            codes += re.findall(r"`([^`]+)`", line.split("|")[1])
    return codes


def statement_keywords(code):
    """"answer file PATH" -> "answer file": the words before the first placeholder."""
    words = []
    for word in code.split():
        if not re.fullmatch(r"[a-z]+", word):
            break
        words.append(word)
    return " ".join(words)


def main():
    readme = open(os.path.join(ROOT, "README.md"), encoding="utf-8").read()
    parts = sections(readme)
    wanted = {"fmtoobj.1": set(), "Marionet.1": set()}
    for code in first_column_codes(parts.get("fmtoobj", "")):
        if code.startswith("/"):
            wanted["fmtoobj.1"].add(code.split()[0])
    for title in ("Marionet", "Motion capture"):
        wanted["Marionet.1"] |= set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", parts.get(title, "")))
    for code in first_column_codes(parts.get("Batch scripts", "")):
        keywords = statement_keywords(code)
        if keywords:
            wanted["Marionet.1"].add(keywords)
    missing = []
    for page, items in wanted.items():
        text = rendered(page)
        missing += [f"{page}: {item}" for item in sorted(items) if item not in text]
    if missing:
        print("The manual pages (packaging/man/) lack what the README lists:")
        print("\n".join("  " + line for line in missing))
        return 1
    count = sum(len(items) for items in wanted.values())
    print(f"The manual pages name all {count} options and batch statements of the README.")
    return 0


if __name__ == "__main__":
    sys.exit(main())

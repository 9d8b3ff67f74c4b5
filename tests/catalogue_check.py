#!/usr/bin/env python3
"""A translation catalogue is complete and sound for the sources as they stand.

    catalogue_check.py LUPDATE SOURCE_DIR CATALOGUE.ts LUPDATE_OPTIONS...

lupdate is run over the sources into a copy of the catalogue, with the options the build
passes. Fails when a text of the sources is missing from the catalogue or left unfinished, when
the catalogue keeps a text the sources no longer have, and when a translation loses what the
program fills in or presses: %1..%9 and %n, the mnemonic (&), the HTML tags, or a plural form.
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

def messages(path):
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"), message.findtext("comment") or "")
            found[key] = message
    return found


def mnemonics(text):
    return len(re.findall(r"&(?!&)\S", text.replace("&&", "")))


def tags(text):
    return re.findall(r"</?([a-zA-Z0-9]+)", text)


def problems_of(key, message):
    context, source, _ = key
    where = f"{context}: {source!r}"
    translation = message.find("translation")
    kind = translation.get("type")
    if kind in ("unfinished", "vanished", "obsolete"):
        return [f"{where} is {kind}"]
    if message.get("numerus") == "yes":
        forms = [form.text or "" for form in translation.iter("numerusform")]
        if not forms or any(not form.strip() for form in forms):
            return [f"{where} lacks a plural form"]
    else:
        forms = [translation.text or ""]
        if not forms[0].strip():
            return [f"{where} has an empty translation"]
    found = []
    for form in forms:
        if sorted(set(re.findall(r"%[1-9]", source))) != sorted(set(re.findall(r"%[1-9]", form))):
            found.append(f"{where}: placeholders differ in {form!r}")
        if "%n" in source and "%n" not in form and message.get("numerus") != "yes":
            found.append(f"{where}: %n is missing in {form!r}")
        if mnemonics(source) != mnemonics(form):
            found.append(f"{where}: mnemonic marks differ in {form!r}")
        if tags(source) != tags(form):
            found.append(f"{where}: HTML tags differ in {form!r}")
    return found


def main():
    lupdate, root, catalogue = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    options = [*sys.argv[4:], "-silent"]
    sources = sorted(str(p) for folder in ("core", "gui", "res") for p in (root / folder).rglob("*")
                     if p.suffix in (".cpp", ".h"))
    with tempfile.TemporaryDirectory() as work:
        fresh = pathlib.Path(work) / catalogue.name
        shutil.copy(catalogue, fresh)
        subprocess.run([lupdate, *options, "-I", str(root), *sources, "-ts", str(fresh)], check=True)
        before, after = messages(catalogue), messages(fresh)
    problems = [f"{c}: {s!r} is not in the catalogue" for c, s, _ in after.keys() - before.keys()]
    problems += [f"{c}: {s!r} is no longer in the sources" for c, s, _ in before.keys() - after.keys()]
    for key, message in after.items():
        problems += problems_of(key, message)
    for problem in problems:
        print(problem)
    print(f"{catalogue.name}: {len(after)} texts, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

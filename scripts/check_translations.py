#!/usr/bin/env python3
"""Fails when the English catalogue leaves a text of the windows untranslated: a message
unfinished or empty, a translation that lost a %1 or an access key of its source, or (with
--lupdate) a text in the sources that the catalogue does not hold yet.

    check_translations.py CATALOGUE.ts [--lupdate LUPDATE --cmake CMAKE
        --project PROJECT.cmake --generator GenerateLUpdateProject.cmake]
"""
import argparse
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACE = re.compile(r"%\d")
# "保存(&S)", "&Save"; "&&" is a plain ampersand.
ACCESS_KEY = re.compile(r"(?<!&)&(?!&)[^&\s;]")


def faults_of(catalogue):
    faults = []
    root = ET.parse(catalogue).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            where = f"{name}: {source[:40]!r}"
            if translation is None or translation.get("type") in ("unfinished", "obsolete", "vanished"):
                faults.append(f"{where}: not translated")
                continue
            text = translation.text or ""
            if source.strip() and not text.strip():
                faults.append(f"{where}: empty translation")
            elif sorted(PLACE.findall(source)) != sorted(PLACE.findall(text)):
                faults.append(f"{where}: the translation's %-places differ: {text[:40]!r}")
            elif "<a href" not in source and bool(ACCESS_KEY.search(source)) != bool(ACCESS_KEY.search(text)):
                faults.append(f"{where}: the access key is lost: {text[:40]!r}")
    return faults


def refreshed(catalogue, args, folder):
    """A copy of the catalogue brought up to date with the sources, as lupdate would."""
    copy = pathlib.Path(folder) / pathlib.Path(catalogue).name
    shutil.copyfile(catalogue, copy)
    project = pathlib.Path(folder) / "project.json"
    subprocess.run([args.cmake, f"-DIN_FILE={args.project}", f"-DOUT_FILE={project}", "-P", args.generator],
                   check=True, stdout=subprocess.DEVNULL)
    # lupdate warns that -ts overrides the project's catalogue: that is the point here.
    subprocess.run([args.lupdate, "-project", str(project), "-ts", str(copy), "-source-language", "zh_CN",
                    "-locations", "none", "-no-obsolete", "-silent"], check=True, stderr=subprocess.DEVNULL)
    return copy


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("catalogue")
    parser.add_argument("--lupdate")
    parser.add_argument("--cmake")
    parser.add_argument("--project")
    parser.add_argument("--generator")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        catalogue = refreshed(args.catalogue, args, folder) if args.lupdate else args.catalogue
        faults = faults_of(catalogue)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

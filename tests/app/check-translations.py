#!/usr/bin/env python3
"""Checks that every catalogue translates every string of the sources, finished and with the
same placeholders. The catalogues are first brought up to date with the sources in a temporary
copy, so that a string added or changed in the sources without a translation fails too.

Usage: check-translations.py LUPDATE CATALOGUE... -- LUPDATE_ARGUMENT...
"""

import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PLACEHOLDER = re.compile(r"%(?:\d+|n)")


def problems(catalogue: pathlib.Path, name: str):
    language = catalogue.getroot().get("language", "")
    expected = name.removeprefix("tavo_").removesuffix(".ts")
    if language != expected:
        yield f'{name}: the catalogue says language "{language}", its name "{expected}"'
    for context in catalogue.iter("context"):
        context_name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            state = translation.get("type") if translation is not None else "unfinished"
            text = "".join(translation.itertext()) if translation is not None else ""
            where = f'{name}: {context_name}: "{source}"'
            if state in ("vanished", "obsolete"):
                yield f"{where} is no longer in the sources (update the catalogues)"
            elif state == "unfinished" or not text:
                yield f"{where} has no finished translation"
            elif sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
                yield f'{where}: the placeholders of "{text}" differ from the source\'s'
            elif "\u2026" in source and "\u2026" not in text:
                yield f'{where}: "{text}" lacks the ellipsis character'


def main(arguments):
    separator = arguments.index("--")
    lupdate, catalogues = arguments[0], [pathlib.Path(p) for p in arguments[1:separator]]
    lupdate_arguments = arguments[separator + 1 :]
    found = []
    with tempfile.TemporaryDirectory() as folder:
        copies = [pathlib.Path(folder) / catalogue.name for catalogue in catalogues]
        for catalogue, copy in zip(catalogues, copies):
            shutil.copyfile(catalogue, copy)
        subprocess.run(
            [lupdate, *lupdate_arguments, "-ts", *map(str, copies)],
            check=True,
            stdout=subprocess.DEVNULL,
        )
        for copy in copies:
            found.extend(problems(ElementTree.parse(copy), copy.name))
    for problem in found:
        print(problem)
    if found:
        print(
            f"{len(found)} problem(s); after changing a source string run the update_translations "
            "target, then translate what it marks unfinished"
        )
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

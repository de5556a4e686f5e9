#!/usr/bin/env python3
"""The English translation is complete and current: every Russian text in the
sources goes through a translation call lupdate knows, is in laserpic_en.ts,
and is translated there.
Usage: ts_finished.py <source folder> <lupdate> <its options...>"""
import pathlib, re, shutil, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

root, lupdate, options = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3:]
with tempfile.TemporaryDirectory() as work:
    ts = pathlib.Path(work, "laserpic_en.ts")
    shutil.copy(root / "translations/laserpic_en.ts", ts)
    # The same refresh as the update_translations target, on a copy.
    subprocess.run([lupdate, *options, str(root / "src"), "-ts", str(ts)], check=True)
    messages = ET.parse(ts).findall(".//message")
sources = "\n".join(m.findtext("source") for m in messages)
# An entry lupdate added or nobody translated is "unfinished"; one the
# sources no longer have would be "vanished" or "obsolete".
problems = [f"untranslated: {m.findtext('source')!r}" for m in messages
            if m.find("translation").get("type") or not (m.findtext("translation") or "").strip()]

# A Russian string literal that lupdate did not find is a text shown as it is.
tokens = re.compile(r'//[^\n]*|/\*.*?\*/|\'(?:[^\'\\\n]|\\.)*\'|"((?:[^"\\\n]|\\.)*)"', re.S)
for path in sorted((root / "src").rglob("*")):
    if path.suffix not in (".cpp", ".h"):
        continue
    for token in tokens.finditer(path.read_text(encoding="utf-8")):
        text = (token.group(1) or "").replace('\\"', '"').replace("\\\\", "\\")
        for piece in text.split("\\n"):
            if re.search("[А-яЁё]", piece) and piece not in sources:
                problems.append(f"not translatable: {path.relative_to(root)}: {piece!r}")

if problems:
    print(*problems, sep="\n", file=sys.stderr)
    sys.exit(f"FAIL: {len(problems)} texts not translated. Wrap them in tr() or QCoreApplication::translate(), "
             "run 'cmake --build build --target update_translations' and translate the new entries.")
print(f"{len(messages)} texts, every one translated")

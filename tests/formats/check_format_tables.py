#!/usr/bin/env python3
"""The table of named formats in README.md and the manual page agrees with the
program: the same names in the same order in both, every name one the program
reads, every example read by the program as 01.01.2017 00:00:00 UTC and
written back as itself; and the README's examples of the formats print what
they show.

Usage: check_format_tables.py README MANPAGE MORVEK
"""
import os
import re
import subprocess
import sys
import tempfile

readme_path, page_path, morvek = sys.argv[1:4]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


readme = open(readme_path, encoding="utf-8").read()
section = readme[readme.index("\n## Named formats"):]
section = section[:section.index("\n## ", 1)]
rows = re.findall(r"^\| `(\w+)` \| (.+?) \| (.+?) \| `(.+?)` \|$", section, re.M)

page = open(page_path, encoding="utf-8").read()
page_section = page[page.index("\n.SH NAMED FORMATS"):]
page_section = page_section[:page_section.index("\n.SH ", 1)]
unescaped = page_section.replace("\\-", "-").replace("\\~", " ").replace("\\%", "").replace("\\&", "")
entries = re.findall(r"^\.TP\n\.B (\w+)\n(?:.*\n)*?Example: (\S+)$", unescaped, re.M)

names = [name for name, _, _, _ in rows]
check(len(names) == 24 and len(set(names)) == 24, f"README: 24 formats, each once: {names}")
check(entries == [(name, example) for name, _, _, example in rows],
      f"the manual page lists the README's formats and examples in its order: {entries}")

for name, counts, where, example in rows:
    # The RD fields are the report's RD line, which a value has not; iso is the field shown anyway.
    own_field = not name.startswith("rd_") and name != "iso"
    fields = "status,iso" + ("," + name if own_field else "")
    done = subprocess.run([morvek, "--batch", f"--from={name}", "--format=tsv", f"--fields={fields}"],
                          input=(example + "\n").encode(), capture_output=True)
    wanted = "ok\t2017-01-01T00:00:00Z" + ("\t" + example if own_field else "") + "\n"
    check(done.returncode == 0 and done.stdout.decode() == wanted,
          f"{name} {example}: {done.returncode} {done.stdout!r}, wanted {wanted!r}")
    check(counts.strip() and where.strip(), f"{name}: what it counts and where it is met")
done = subprocess.run([morvek, "--from=unix_seconds", "0"], capture_output=True)
check(done.returncode == 2, "a name the table has not is refused")

# The console examples of the section, run with the built program first on the PATH.
with tempfile.TemporaryDirectory() as bin_dir:
    os.symlink(os.path.abspath(morvek), os.path.join(bin_dir, "morvek"))
    environment = dict(os.environ, PATH=bin_dir + os.pathsep + os.environ.get("PATH", ""))
    examples = 0
    for block in re.findall(r"```console\n(.*?)```", section, re.S):
        for command, shown in re.findall(r"^\$ (.*)\n((?:(?!\$ ).*\n)*)", block, re.M):
            done = subprocess.run(["bash", "-c", command], capture_output=True, env=environment)
            check(done.stdout.decode() == shown, f"README: {command}\n{done.stdout.decode()}differs from\n{shown}")
            examples += 1
    check(examples >= 5, f"README: {examples} examples of the formats found")

for failure in failures:
    print("FAIL:", failure)
print(f"format tables of the README and the manual page: {len(rows)} formats; {len(failures)} failures")
sys.exit(1 if failures else 0)

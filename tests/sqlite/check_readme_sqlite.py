#!/usr/bin/env python3
"""The README's SQLite section, run as written: each `$ ` command of its
console blocks (with the here-document that follows it) and its Python
example run in a directory holding the databases they name, made here with
the tables and columns the browsers, macOS and MFT parsers write, and print
exactly what the README shows. The README's extension path,
build/release/sqlite/morvek, is the one built.

Usage: check_readme_sqlite.py README EXTENSION PYTHON
"""
import os
import re
import sqlite3
import subprocess
import sys
import tempfile

readme_path, extension, python = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]

HISTORY = """
CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, last_visit_time INTEGER);
CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL, visit_time INTEGER NOT NULL);
INSERT INTO urls VALUES
  (1, 'https://www.iana.org/time-zones', 'Time Zone Database', 13127702399500000),
  (2, 'https://en.wikipedia.org/wiki/Leap_second', 'Leap second', 13127702400000000),
  (3, 'https://www.example.org/', 'Example Domain', 13300000000123456);
INSERT INTO visits VALUES (1, 1, 13127702399500000), (2, 2, 13127702400000000), (3, 3, 13300000000123456),
  (4, 2, 13127616000000000);
"""
KNOWLEDGE = """
CREATE TABLE ZOBJECT(Z_PK INTEGER PRIMARY KEY, ZSTREAMNAME VARCHAR, ZSTARTDATE TIMESTAMP, ZENDDATE TIMESTAMP);
INSERT INTO ZOBJECT VALUES (1, '/app/inFocus', 504921600.25, 504921660.0),
  (2, '/display/isBacklit', 700000000.5, 700000300.5), (3, '/app/usage', -3600.0, -3000.0);
"""
MFT = """
CREATE TABLE files(name TEXT, created INTEGER);
CREATE INDEX files_created ON files(created);
INSERT INTO files VALUES ('report.docx', 131277023999999999), ('notes.txt', 131277024000000000),
  ('photo.jpg', 131277456000000000), ('budget.xlsx', 131277887999999999), ('later.log', 131277888000000000),
  ('broken.bin', 'n/a');
"""


def section(text):
    start = text.index("\n## SQLite\n")
    end = text.find("\n## ", start + 1)
    return text[start:end if end >= 0 else len(text)]


def console_commands(block):
    """(command with its here-document, expected output) for each `$ ` line."""
    lines = block.split("\n")
    commands = []
    i = 0
    while i < len(lines):
        if not lines[i].startswith("$ "):
            i += 1
            continue
        command = [lines[i][2:]]
        here = re.search(r"<<'(\w+)'", lines[i])
        i += 1
        if here:
            while lines[i] != here.group(1):
                command.append(lines[i])
                i += 1
            command.append(lines[i])
            i += 1
        output = []
        while i < len(lines) and not lines[i].startswith("$ "):
            output.append(lines[i])
            i += 1
        commands.append(("\n".join(command), "\n".join(output).rstrip("\n") + "\n"))
    return commands


def main():
    with open(readme_path, encoding="utf-8") as f:
        text = section(f.read())
    consoles = re.findall(r"```console\n(.*?)```", text, re.S)
    pythons = re.findall(r"```python\n(.*?)```\n+```text\n(.*?)```", text, re.S)
    failures = []
    commands = [c for block in consoles for c in console_commands(block)]
    if len(commands) < 3 or not pythons:
        failures.append(f"the README's SQLite section has {len(commands)} commands and {len(pythons)} Python examples")
    with tempfile.TemporaryDirectory() as work:
        for name, script in (("History", HISTORY), ("KnowledgeC.db", KNOWLEDGE), ("mft.db", MFT)):
            database = sqlite3.connect(os.path.join(work, name))
            database.executescript(script)
            database.commit()
            database.close()
        for command, want in commands:
            run = subprocess.run(["bash", "-c", command.replace("build/release/sqlite/morvek", extension)], cwd=work,
                                 capture_output=True, text=True, timeout=60)
            if run.returncode != 0 or run.stdout != want:
                failures.append(f"$ {command}\nprinted (status {run.returncode}):\n{run.stdout}{run.stderr}"
                                f"the README shows:\n{want}")
        for code, want in pythons:
            run = subprocess.run([python, "-c", code.replace("build/release/sqlite/morvek", extension)], cwd=work,
                                 capture_output=True, text=True, timeout=60)
            if run.returncode != 0 or run.stdout != want:
                failures.append(f"{code}\nprinted (status {run.returncode}):\n{run.stdout}{run.stderr}"
                                f"the README shows:\n{want}")
    if failures:
        for failure in failures:
            print(failure, file=sys.stderr)
        return 1
    print(f"README SQLite section: {len(commands)} commands and {len(pythons)} Python example print what it shows")
    return 0


sys.exit(main())

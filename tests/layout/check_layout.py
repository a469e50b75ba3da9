#!/usr/bin/env python3
"""Checks the source layout that keeps the core portable and the folders acyclic.

- A portable file (a source of one of the static core libraries, its header,
  or any project header they include) must not include a Windows header.
- calc/, sysinfo/, print/ and tooltips/ may take from app/ only the
  process-wide app_state.h and control_ids.h.
- Every relative link in the top-level Markdown files and docs/ names a file
  that exists.
Prints every breach with file and line; exits 1 when there is one.
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
subsystems = ["app", "calc", "sysinfo", "print", "tooltips"]
shared_app_headers = {"app/app_state.h", "app/control_ids.h"}
include_re = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
windows_headers = re.compile(r"^(windows|winuser|wingdi|winbase|winreg|commctrl|commdlg|shellapi|"
                             r"iphlpapi|winsock2?|ws2tcpip|tlhelp32|psapi|ntdef|winternl)\.h$", re.I)


def includes(path):
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        match = include_re.match(line)
        if match:
            yield number, match.group(1), match.group(2)


def portable_sources():
    """The .cpp files of each farspan_<subsystem> STATIC library, with their headers."""
    files = set()
    for name in subsystems:
        text = (root / name / "CMakeLists.txt").read_text(encoding="utf-8")
        match = re.search(r"add_library\(\s*farspan_%s\s+STATIC\s+([^)]*)\)" % name, text)
        if not match:
            continue
        for source in match.group(1).split():
            path = root / name / source
            files.add(path)
            header = path.with_suffix(".h")
            if header.exists():
                files.add(header)
    return files


breaches = []
seen = set()
todo = list(portable_sources())
while todo:
    path = todo.pop()
    if path in seen or not path.exists():
        continue
    seen.add(path)
    for number, kind, name in includes(path):
        if kind == "<" and windows_headers.match(name):
            breaches.append(f"{path.relative_to(root)}:{number}: portable file includes <{name}>")
        elif kind == '"' and (root / name).exists():
            todo.append(root / name)

for folder in ["calc", "sysinfo", "print", "tooltips"]:
    for path in sorted((root / folder).glob("*.[ch]*")):
        for number, kind, name in includes(path):
            if kind == '"' and name.startswith("app/") and name not in shared_app_headers:
                breaches.append(f"{path.relative_to(root)}:{number}: includes {name} from the dialog folder")

link_re = re.compile(r"\]\(([^)\s]+)\)")
for page in sorted(list(root.glob("*.md")) + list((root / "docs").glob("*.md"))):
    for number, line in enumerate(page.read_text(encoding="utf-8").splitlines(), 1):
        for target in link_re.findall(line):
            path = target.split("#", 1)[0]
            if path and ":" not in path and not (page.parent / path).exists():
                breaches.append(f"{page.relative_to(root)}:{number}: link to missing {path}")

for breach in breaches:
    print(breach)
print(f"layout: {len(seen)} portable files checked, {len(breaches)} breaches")
sys.exit(1 if breaches else 0)

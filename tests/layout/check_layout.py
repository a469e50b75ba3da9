#!/usr/bin/env python3
"""Checks the one rule for where Windows code lives, on every source file.

Windows code is every file in win32/, resources/ or tests/e2e/, and every
file named *_win32.* anywhere; every other source file is portable.
- A portable file includes no Windows header, directly or through any
  project header it includes.
- A portable file includes no Windows code of the project.
- Every relative link in the top-level Markdown files and docs/ names a file
  that exists.
Prints every breach with file, line and include; exits 1 when there is one.
Usage: check_layout.py [SOURCE_ROOT]
"""
import pathlib
import re
import sys

WINDOWS_FOLDERS = ("win32", "resources", "tests/e2e")
# The portable core: what the unit tests (and the mutation check) cover.
CORE_FOLDERS = ("calc", "sysinfo", "print", "tooltips", "app")
SOURCE_SUFFIXES = {".c", ".cc", ".cpp", ".h", ".hpp", ".rc"}
SKIPPED = {"build", ".git"}

include_re = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
windows_header_re = re.compile(
    r"^(windows|windef|minwindef|winbase|winuser|wingdi|winreg|winnls|winnt|winerror|winver|winspool|"
    r"winsock2?|ws2tcpip|ws2def|wincrypt|winternl|winioctl|commctrl|commdlg|cderr|shellapi|shlobj|shlwapi|"
    r"objbase|objidl|ole2|oleauto|oleacc|olectl|unknwn|uiautomation\w*|iphlpapi|iprtrmib|tlhelp32|psapi|"
    r"ntdef|ntstatus|versionhelpers|sysinfoapi|processthreadsapi|synchapi|fileapi|handleapi|libloaderapi|"
    r"memoryapi|errhandlingapi|dbghelp|imagehlp|mmsystem|uxtheme|dwmapi|richedit|tchar|basetsd|guiddef|"
    r"initguid|propkey|propvarutil|rpc\w*|sddl|aclapi|accctrl|securitybaseapi|lmcons|wtsapi32|"
    r"io|direct|process|conio|intrin)\.h$", re.I)


def is_windows_code(relative):
    text = relative.as_posix()
    return relative.stem.endswith("_win32") or any(text.startswith(folder + "/") for folder in WINDOWS_FOLDERS)


def source_files(root):
    for path in sorted(root.rglob("*")):
        relative = path.relative_to(root)
        if relative.parts[0] in SKIPPED or not path.is_file() or path.suffix not in SOURCE_SUFFIXES:
            continue
        yield relative


def portable_core_sources(root):
    """The .cpp files of the portable core, as paths relative to root."""
    return [relative for relative in source_files(root)
            if relative.parts[0] in CORE_FOLDERS and relative.suffix == ".cpp" and not is_windows_code(relative)]


def includes(path):
    for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
        match = include_re.match(line)
        if match:
            yield number, match.group(1), match.group(2)


def project_file(root, including, name):
    """The project file a quoted include names: beside the includer, else from the root."""
    for candidate in (including.parent / name, root / name):
        if candidate.is_file():
            return candidate.resolve()
    return None


def first_windows_include(root, path, seen):
    """(file, line, header) of the first Windows header path brings in, or None."""
    if path in seen:
        return None
    seen.add(path)
    for number, kind, name in includes(path):
        if kind == "<" and windows_header_re.match(name):
            return path, number, name
        if kind == '"':
            included = project_file(root, path, name)
            found = included and first_windows_include(root, included, seen)
            if found:
                return found
    return None


def layout_breaches(root):
    breaches = []
    checked = 0
    for relative in source_files(root):
        if is_windows_code(relative):
            continue
        checked += 1
        path = root / relative
        for number, kind, name in includes(path):
            where = f"{relative}:{number}"
            if kind == "<" and windows_header_re.match(name):
                breaches.append(f"{where}: portable file includes <{name}>")
            elif kind == '"' and is_windows_code(pathlib.PurePosixPath(name)):
                breaches.append(f'{where}: portable file includes "{name}", which is Windows code')
            elif kind == '"':
                included = project_file(root, path, name)
                found = included and first_windows_include(root, included, set())
                if found:
                    inner, inner_line, header = found
                    breaches.append(f'{where}: portable file includes "{name}", which brings in <{header}> '
                                    f"({inner.relative_to(root)}:{inner_line})")
    return checked, breaches


def link_breaches(root):
    breaches = []
    link_re = re.compile(r"\]\(([^)\s]+)\)")
    for page in sorted(list(root.glob("*.md")) + list((root / "docs").glob("*.md"))):
        for number, line in enumerate(page.read_text(encoding="utf-8").splitlines(), 1):
            for target in link_re.findall(line):
                path = target.split("#", 1)[0]
                if path and ":" not in path and not (page.parent / path).exists():
                    breaches.append(f"{page.relative_to(root)}:{number}: link to missing {path}")
    return breaches


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    checked, breaches = layout_breaches(root)
    breaches += link_breaches(root)
    for breach in breaches:
        print(breach)
    print(f"layout: {checked} portable files checked, {len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())

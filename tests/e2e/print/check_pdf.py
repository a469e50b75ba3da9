#!/usr/bin/env python3
"""Reads back the PDFs a print test kept and compares them with the output
box's text at the time of printing.

For every NAME.pdf in DIR there is NAME.expected (the box's Windows-1252
text, lines separated by CR LF) and NAME.mode, a mode and optionally the
characters per line of the printer font, beyond which a line is cut:
  single       every line of the box, in order, one printed line each
  multipage    the same, spread over two or more pages
  collated2    two copies: the page sequence twice (1 2 3 1 2 3)
  uncollated2  two copies: each page twice in a row (1 1 2 2 3 3)
Blank lines print nothing visible, so they are left out of the comparison.
pdftotext only approximates the column of each word, so runs of blanks are
compared as one blank.
"""
import pathlib
import subprocess
import sys


def words(lines):
    return [" ".join(line.split()) for line in lines if line.strip()]


def pdf_pages(pdf):
    text = subprocess.run(["pdftotext", "-layout", str(pdf), "-"], capture_output=True,
                          check=True).stdout.decode("utf-8")
    pages = text.split("\f")
    if pages and not pages[-1].strip():
        pages.pop()
    # The font's "hyphen" glyph comes back as a soft hyphen.
    return [words(page.replace("\u00ad", "-").split("\n")) for page in pages]


def box_lines(expected, chars_per_line):
    text = expected.read_bytes().decode("cp1252")
    return words(line[:chars_per_line] for line in text.split("\r\n"))


def same_lines(what, printed, wanted):
    if printed == wanted:
        return []
    for i, (p, w) in enumerate(zip(printed, wanted)):
        if p != w:
            return [f"{what}: line {i + 1} printed {p!r}, box holds {w!r}"]
    return [f"{what}: {len(printed)} lines printed, box holds {len(wanted)}"]


def check(pdf):
    mode, *cut = pdf.with_suffix(".mode").read_text().split()
    chars_per_line = int(cut[0]) if cut else None
    wanted = box_lines(pdf.with_suffix(".expected"), chars_per_line)
    pages = pdf_pages(pdf)
    errors = []
    if not wanted:
        errors.append("the box text is empty")
    if any(not page for page in pages):
        errors.append("a blank page was printed")
    if mode in ("single", "multipage"):
        if mode == "multipage" and len(pages) < 2:
            errors.append(f"one page only, expected several")
        errors += same_lines("text", [line for page in pages for line in page], wanted)
    elif mode == "collated2":
        half = len(pages) // 2
        if len(pages) < 4 or len(pages) % 2:
            errors.append(f"{len(pages)} pages, expected two copies of several pages")
        elif pages[:half] != pages[half:]:
            errors.append("the second copy is not the page sequence again")
        errors += same_lines("first copy", [line for page in pages[:half] for line in page], wanted)
    elif mode == "uncollated2":
        if len(pages) < 4 or len(pages) % 2:
            errors.append(f"{len(pages)} pages, expected two copies of several pages")
        elif any(pages[i] != pages[i + 1] for i in range(0, len(pages), 2)):
            errors.append("pages are not repeated in a row")
        errors += same_lines("one copy", [line for page in pages[::2] for line in page], wanted)
    else:
        errors.append(f"unknown mode {mode!r}")
    print(f"{pdf.name}: {mode}, {chars_per_line or 'any'} characters a line, {len(pages)} pages, {sum(map(len, pages))} printed lines, "
          f"{len(wanted)} box lines: {'ok' if not errors else 'FAILED'}")
    for error in errors:
        print("  " + error)
    return not errors


def main():
    out = pathlib.Path(sys.argv[1])
    want = sys.argv[2:]  # names that must be there
    pdfs = sorted(out.glob("*.pdf"))
    ok = True
    for name in want:
        if not (out / f"{name}.pdf").exists():
            print(f"{name}.pdf: missing")
            ok = False
    for pdf in pdfs:
        ok = check(pdf) and ok
    print("PDF check " + ("passed" if ok and pdfs else "FAILED"))
    return 0 if ok and pdfs else 1


if __name__ == "__main__":
    sys.exit(main())

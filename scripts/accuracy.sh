#!/usr/bin/env bash
# Renews docs/accuracy-*.png and the generated tables in docs/accuracy.md
# from tools/accuracy_sweep (native build): how far the curvature report's
# figures lie from the sphere model solved exactly and from true spherical
# geometry, and where the report warns. Same sources, same files.
# Not part of the tests; installs its plotting package (python3-matplotlib)
# when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}

scripts/deps.sh python3-matplotlib

[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target accuracy_sweep >/dev/null
sweep=$build/accuracy_sweep
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Debian's Python (where the package lives), whatever python3 comes first on PATH.
"$sweep" grid | /usr/bin/python3 scripts/accuracy_plots.py docs
"$sweep" cases >"$work/cases"
"$sweep" summary >"$work/summary"
# Eye height and refraction: the hidden-height curves become a picture, the
# cases and the largest differences a block of the page.
"$sweep" conditions >"$work/conditions_all"
grep '^curve' "$work/conditions_all" | /usr/bin/python3 scripts/accuracy_plots.py docs conditions
grep -v '^curve' "$work/conditions_all" >"$work/conditions"

# Each generated block sits between "<!-- accuracy_sweep NAME -->" and
# "<!-- end -->" in the page.
/usr/bin/python3 - docs/accuracy.md "$work" <<'PY'
import pathlib, re, sys
page = pathlib.Path(sys.argv[1])
text = page.read_text(encoding="utf-8")
for name in ("cases", "summary", "conditions"):
    block = (pathlib.Path(sys.argv[2]) / name).read_text(encoding="utf-8")
    pattern = re.compile(r"(<!-- accuracy_sweep %s -->\n).*?(<!-- end -->)" % name, re.S)
    text, count = pattern.subn(lambda m: m.group(1) + block + m.group(2), text)
    if count != 1:
        sys.exit(f"{page}: no block for {name}")
page.write_text(text, encoding="utf-8")
PY
echo "docs/accuracy-*.png and the tables in docs/accuracy.md renewed"

#!/usr/bin/python3
"""Draws docs/accuracy-*.png from `accuracy_sweep grid` (tab-separated, on stdin).

accuracy-curvature.png  Height mode: flat against curved tangent-plane distance
accuracy-warnings.png   Height mode: where the report warns, and why
accuracy-errors.png     unwarned figures against the model solved exactly and
                        against the sphere (both modes)
With a second argument "conditions", draws only accuracy-sight.png from the
"curve" rows of `accuracy_sweep conditions`: hidden height over distance for
eye heights 0 and 1.7 m and refraction k = 0, 0.13, 0.20.
Same input, same files: no dates or software versions in the PNGs.
"""
import csv
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402
from matplotlib.colors import ListedColormap, LogNorm  # noqa: E402
from matplotlib.patches import Patch  # noqa: E402

out_dir = sys.argv[1]
earth_radius = 6378.137
plt.rcParams.update({"font.size": 10, "svg.hashsalt": "farspan", "figure.dpi": 100})
save = {"dpi": 100, "metadata": {"Software": None}}



def draw_sight_curves():
    curves = {}
    for line in sys.stdin:
        _, eye, k, ground, hidden = line.split("\t")
        curves.setdefault((float(eye), float(k)), []).append((float(ground), float(hidden)))
    fig, ax = plt.subplots(figsize=(7, 4.5))
    colours = {0.0: "black", 0.13: "tab:blue", 0.2: "tab:orange"}
    for (eye, k), points in sorted(curves.items()):
        ground, hidden = zip(*points)
        ax.plot(ground, hidden, color=colours[k], linestyle="-" if eye == 0 else "--",
                label=f"k = {'0' if k == 0 else f'{k:.2f}'}, eye {'on the ground' if eye == 0 else f'{eye:g} m'}")
    ax.set_xlim(0, 100)
    ax.set_ylim(0, None)
    ax.set_xlabel("distance (km)")
    ax.set_ylabel("hidden height (m)")
    ax.set_title("Hidden height over distance")
    ax.grid(True, color="0.9")
    ax.legend(loc="upper left")
    fig.tight_layout()
    fig.savefig(f"{out_dir}/accuracy-sight.png", **save)


if len(sys.argv) > 2 and sys.argv[2] == "conditions":
    draw_sight_curves()
    sys.exit(0)

rows = list(csv.DictReader(sys.stdin, delimiter="\t"))


def plane(mode, column, kind=float):
    """One column of one mode as a length x angle array (angles down the rows)."""
    picked = [r for r in rows if r["mode"] == mode]
    lengths = sorted({float(r["length_km"]) for r in picked})
    angles = sorted({float(r["angle_deg"]) for r in picked})
    grid = np.empty((len(angles), len(lengths)), dtype=object if kind is str else float)
    for r in picked:
        grid[angles.index(float(r["angle_deg"])), lengths.index(float(r["length_km"]))] = kind(r[column])
    return np.array(lengths), np.array(angles), grid


lengths, angles, warning = plane("H", "warning", str)
warned = warning != "none"

cases = [  # (height km, angle degrees, label, label offset in points)
    (0.1, 0.5, "tower 100 m, 0\u00b030\u2032", (-7, 4)),
    (4.8, 1.0, "mountain 4,800 m, 1\u00b0", (7, -10)),
    (11.0, 2.0, "aircraft 11 km, 2\u00b0", (-7, 4)),
    (20.0, 3.0, "20 km, 3\u00b0", (-7, 4)),
    (85.0, 15.0, "start values 85 km, 15\u00b0", (-7, 4)),
]


def axes_setup(ax, xlabel="height (Height mode)"):
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlim(lengths[0], lengths[-1])
    ax.set_ylim(angles[0], angles[-1])
    ax.set_xlabel(xlabel)
    ax.set_ylabel("elevation angle (degrees)")
    ax.set_xticks([1e-3, 1e-2, 0.1, 1, 10, 100, 1e3, 1e4, 1e5],
                  ["1 m", "10 m", "100 m", "1 km", "10 km", "100 km", "1000 km", "10\u2074 km", "10\u2075 km"])
    ax.set_yticks([0.01, 0.1, 1, 10, 89.99], ["0.01", "0.1", "1", "10", "89.99"])


def grey_warned(ax):
    ax.pcolormesh(lengths, angles, np.ma.masked_where(~warned, warned), cmap=ListedColormap(["0.82"]),
                  shading="nearest")


def mark_cases(ax, labels=True):
    for height, angle, label, offset in cases:
        ax.plot(height, angle, "o", ms=5, mfc="white", mec="black", mew=1.2)
        if labels:
            ax.annotate(label, (height, angle), xytext=offset, textcoords="offset points", fontsize=8.5,
                        ha="right" if offset[0] < 0 else "left",
                        bbox={"boxstyle": "round,pad=0.15", "fc": "white", "ec": "none", "alpha": 0.8})


# 1. Where the curvature matters.
_, _, percent = plane("H", "curvature_pct")
percent = np.ma.masked_where(warned, np.clip(percent, 1e-6, None))
fig, ax = plt.subplots(figsize=(8, 5))
mesh = ax.pcolormesh(lengths, angles, percent, norm=LogNorm(1e-6, 100), cmap="viridis", shading="nearest")
grey_warned(ax)
lines = ax.contour(lengths, angles, percent, levels=[0.1, 1, 10], colors="white", linewidths=1.2)
# Labels where the lines cross 1 degree, level, on a light box.
for label in ax.clabel(lines, fmt="%g %%", fontsize=9, inline=False, manual=[(0.004, 1), (0.04, 1), (0.4, 1)]):
    label.set_rotation(0)
    label.set_color("black")
    label.set_bbox({"boxstyle": "round,pad=0.15", "fc": "white", "ec": "none", "alpha": 0.85})
mark_cases(ax, labels=False)
axes_setup(ax)
fig.colorbar(mesh, ax=ax, label="flat minus curved tangent-plane distance (% of flat)")
ax.set_title("Where the Earth's curvature matters (grey: the report warns)")
fig.tight_layout()
fig.savefig(f"{out_dir}/accuracy-curvature.png", **save)
plt.close(fig)

# 2. Where the report warns, and why.
kinds = ["none", "unsettled", "below", "both", "far"]
colours = ["#ffffff", "#f4a582", "#92c5de", "#b2182b", "#fee08b"]
names = ["no warning", "unsettled", "below the horizon", "unsettled and below the horizon",
         "only far off the model solved exactly"]
codes = np.vectorize(kinds.index)(warning).astype(float)
fig, ax = plt.subplots(figsize=(8, 5))
ax.pcolormesh(lengths, angles, codes, cmap=ListedColormap(colours), vmin=-0.5, vmax=len(kinds) - 0.5,
              shading="nearest")
rule = np.degrees(np.arctan(np.sqrt(lengths / earth_radius)))
ax.plot(lengths, rule, "k--", lw=1)
mark_cases(ax)
axes_setup(ax)
handles = [Patch(fc=c, ec="0.5", label=n) for c, n in zip(colours, names)]
handles.append(plt.Line2D([], [], color="k", ls="--", lw=1, label="tan a = \u221a(H / R)"))
ax.legend(handles=handles, loc="upper left", fontsize=8.5, framealpha=0.95)
ax.set_title("Where the report warns (Height mode; Distance mode never warns)")
fig.tight_layout()
fig.savefig(f"{out_dir}/accuracy-warnings.png", **save)
plt.close(fig)

# 3. Unwarned figures against both references, one panel above the other.
norm = LogNorm(1e-12, 10)
percent_label = {"fmt": lambda v: f"{v * 100:g} %", "fontsize": 8.5}
fig, axes = plt.subplots(3, 1, figsize=(8, 10.5), layout="constrained")
_, _, to_model = plane("H", "figure_vs_model")
_, _, inexact = plane("H", "inexact")
ax = axes[0]
mesh = ax.pcolormesh(lengths, angles, np.ma.masked_where(warned, np.clip(to_model, 1e-16, None)), norm=norm,
                     cmap="magma", shading="nearest")
grey_warned(ax)
ax.contour(lengths, angles, np.where(warned, 1.0, inexact), levels=[0.5], colors="cyan", linewidths=1.2)
axes_setup(ax)
ax.set_title("Height mode, tangent-plane distance: the passes vs the model solved exactly\n"
             "(between the cyan line and the grey the report adds the exact figures)", fontsize=10)
_, _, to_sphere = plane("H", "figure_vs_sphere")
_, _, model_sphere = plane("H", "model_vs_sphere")
ax = axes[1]
ax.pcolormesh(lengths, angles, np.ma.masked_where(warned, np.clip(to_sphere, 1e-16, None)), norm=norm, cmap="magma",
              shading="nearest")
grey_warned(ax)
lines = ax.contour(lengths, angles, model_sphere, levels=[1e-4, 1e-3, 1e-2, 1e-1, 1], colors="black", linewidths=0.8)
ax.clabel(lines, **percent_label)
axes_setup(ax)
ax.set_title("Height mode, tangent-plane distance the report gives vs the true sphere\n"
             "(black lines: the model solved exactly vs the sphere, over the whole plane)", fontsize=10)
d_lengths, d_angles, d_sphere = plane("D", "figure_vs_sphere")
ax = axes[2]
ax.pcolormesh(d_lengths, d_angles, np.clip(d_sphere, 1e-16, None), norm=norm, cmap="magma", shading="nearest")
lines = ax.contour(d_lengths, d_angles, d_sphere, levels=[1e-4, 1e-3, 1e-2, 1e-1], colors="white", linewidths=0.9)
ax.clabel(lines, **percent_label)
axes_setup(ax, "sight distance (Distance mode)")
ax.set_title("Distance mode, total height: report vs the true sphere", fontsize=10)
fig.colorbar(mesh, ax=axes, label="relative error", aspect=40)
fig.savefig(f"{out_dir}/accuracy-errors.png", **save)
plt.close(fig)

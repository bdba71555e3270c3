#!/usr/bin/python3
"""Generate the plate model catalogue source table data/src/catalogue.csv.

Run by hand when the plate series changes (the build does not run it):

    /usr/bin/python3 tools/gen_catalogue.py

Standard library only. Every model is described below by its plate geometry
(area, ports, port-to-port length, surface enlargement factor, chevron angle,
channel gap). From that geometry the script derives the channel section, the
equivalent diameter, the channel volume, the weights and, per channel kind,
the Nusselt and Euler correlation constants that the rating uses:

    Nu = Nu_c * Re^Nu_m * Pr^Pr_c        Eu = Eu_c * Re^Eu_m
    h  = Nu * k / d                      dp (one pass) = Eu * rho * w^2

with w the velocity in one channel (flow / section), d the equivalent
diameter of the channel and Re = w * d * rho / mu. Eu is therefore the
pressure drop of one pass (the full port-to-port length) in units of rho*w^2,
not of the velocity head rho*w^2/2.

The constants are least-squares fits, in log space, of published chevron
plate correlations:

  * Re >= 1000: Muley & Manglik (1999), Nusselt number and Fanning friction
    factor as functions of chevron angle and enlargement factor;
  * Re < 1000: Martin (1996), as given in the VDI Heat Atlas (2010), N6,
    Darcy friction factor and Nusselt number (laminar forms).

Angle convention: all chevron angles in this file are measured from the main
flow direction (the long axis of the plate), in degrees. A large angle gives
a "hard" channel (high heat transfer, high pressure drop), a small angle a
"soft" one. Martin's angle phi and the Muley-Manglik angle beta are both
measured this way, so one angle serves both.

See docs/catalogue.md for the derivation. The script stops without writing
anything when a check fails (reference value of the correlation, geometric
plausibility, fit tolerance, or the water sanity check).
"""

import math
import struct
import sys
from decimal import Decimal
from pathlib import Path

OUT_PATH = Path(__file__).resolve().parent.parent / "data" / "src" / "catalogue.csv"

RE_SWITCH = 1000.0        # Martin below, Muley-Manglik from here on
TURBULENT_RANGE = (1000.0, 10000.0)   # fit range of regime "T"
LAMINAR_RE_MAX = 1000.0   # upper end of a regime "L" fit
# Stored Re_Max of a regime "T" channel: 0, no upper bound. Its constants are
# the Muley-Manglik power law itself (recommended from Re 1000 upwards), not
# an approximation that holds only over the sampled range.
TURBULENT_RE_MAX_STORED = 0.0
LAMINAR_RE_MIN_CHOICES = (50.0, 75.0, 100.0, 125.0, 150.0, 200.0, 250.0, 300.0)
FIT_TOLERANCE = 0.05      # max. deviation of a fit from its correlation
SPANNING_RANGE = (200.0, 10000.0)   # only reported: a single fit across RE_SWITCH
FIT_POINTS = 61           # log-spaced sample points of a fit
PR_EXPONENT = 1.0 / 3.0   # both correlations use Pr^(1/3)

STEEL_PLATE_DENSITY = 7980.0   # kg/m3, austenitic stainless plates
CARBON_STEEL_DENSITY = 7850.0  # kg/m3, frame
PLATE_SHEET_FACTOR = 1.35      # pressed sheet / heat-transfer area (ports, border)

# Water at 50 ℃ and 0.5 m/s in one channel: the sanity check of every channel.
CHECK_WATER = dict(rho=988.0, cp=4.181, k=0.6436, mu=0.5465)   # kg/m3, kJ/kgK, W/mK, cP
CHECK_VELOCITY = 0.5          # m/s
CHECK_FILM_RANGE = (2000.0, 30000.0)     # W/(m2 K)
CHECK_DP_RANGE = (1.0, 150.0)            # kPa per pass

# ---------------------------------------------------------------------------
# Plate geometry of the series.
#
# kind   N normal plate, A asymmetric (narrow / wide channel), T thermal mixing
#        (hard / mixed / soft channel, from two plates of different angle)
# area   heat-transfer area of one plate, m2 (developed, = phi * Lp * width)
# port1  inlet and outlet nozzle, mm (asymmetric: narrow-channel side)
# port2  nozzle of the other side, mm (asymmetric: wide-channel side)
# maxpl  maximum plates of one unit
# t      plate thickness, mm
# phi    surface enlargement factor (developed / projected area)
# Lp     port-to-port length (flow length of a pass), m
# beta   chevron angle from the flow direction, deg (thermal mixing: hard/soft)
# gap    channel gap = corrugation depth, mm (asymmetric: narrow/wide)
# fit    T: fit over Re 1000..10000 (Muley-Manglik)
#        L: fit below Re 1000 (Martin), for plates meant for viscous media
#
# Variant letters of the names: N hard standard plate, L low-angle (soft)
# plate, W wide-gap plate for viscous media, A asymmetric, T thermal mixing.
# ---------------------------------------------------------------------------
PLATE_TABLE = """
# name   kind  area  port1 port2 maxpl  t    phi    Lp    beta   gap      fit
VX003N   N     0.03    25    25    60  0.5  1.15   0.26  60     2.0      T
VX005N   N     0.05    32    32    80  0.5  1.15   0.33  60     2.2      T
VX008N   N     0.08    40    40   120  0.5  1.16   0.42  60     2.2      T
VX008L   N     0.08    40    40   120  0.5  1.16   0.42  30     2.2      T
VX012N   N     0.12    50    50   150  0.5  1.16   0.52  60     2.4      T
VX016N   N     0.16    65    65   180  0.5  1.17   0.58  60     2.5      T
VX016W   N     0.16    65    65   150  0.6  1.15   0.58  45     4.5      L
VX022N   N     0.22    80    80   200  0.6  1.17   0.70  60     2.8      T
VX022L   N     0.22    80    80   200  0.6  1.17   0.70  30     2.8      T
VX030N   N     0.30   100   100   250  0.6  1.17   0.82  60     3.0      T
VX038N   N     0.38   100   100   300  0.6  1.18   0.95  55     3.0      T
VX038W   N     0.38   100   100   250  0.6  1.15   0.95  45     4.5      L
VX050N   N     0.50   150   150   350  0.6  1.18   1.05  60     3.2      T
VX050L   N     0.50   150   150   350  0.6  1.18   1.05  30     3.2      T
VX062N   N     0.62   150   150   400  0.7  1.18   1.25  60     3.4      T
VX075N   N     0.75   200   200   450  0.7  1.19   1.25  60     3.5      T
VX075W   N     0.75   200   200   350  0.7  1.16   1.25  40     5.0      L
VX090N   N     0.90   200   200   500  0.7  1.19   1.50  60     3.6      T
VX090L   N     0.90   200   200   500  0.7  1.19   1.50  35     3.6      T
VX110N   N     1.10   250   250   550  0.8  1.20   1.60  60     3.8      T
VX110W   N     1.10   250   250   400  0.8  1.16   1.60  45     5.0      L
VX130N   N     1.30   300   300   600  0.8  1.20   1.65  55     4.0      T
VX130L   N     1.30   300   300   600  0.8  1.20   1.65  30     4.0      T
VX155N   N     1.55   350   350   650  0.8  1.20   1.75  60     4.0      T
VX155W   N     1.55   350   350   450  0.8  1.16   1.75  40     5.0      L
VX180N   N     1.80   400   400   700  0.9  1.21   1.80  60     4.2      T
VX180L   N     1.80   400   400   700  0.9  1.21   1.80  30     4.2      T
VX210N   N     2.10   450   450   700  0.9  1.21   1.85  60     4.5      T
VX210W   N     2.10   450   450   500  0.9  1.17   1.85  45     5.0      L
VX250N   N     2.50   500   500   700  1.0  1.22   2.00  60     4.5      T
VX016A   A     0.16    65    80   180  0.5  1.17   0.58  60     2.0/3.6  T
VX030A   A     0.30   100   125   250  0.6  1.17   0.82  60     2.2/4.0  T
VX050A   A     0.50   150   150   350  0.6  1.18   1.05  60     2.5/4.5  T
VX090A   A     0.90   200   200   500  0.7  1.19   1.50  55     2.5/4.5  T
VX130A   A     1.30   300   300   600  0.8  1.20   1.65  60     3.0/5.0  T
VX180A   A     1.80   400   400   700  0.9  1.21   1.80  60     3.0/5.0  T
VX250A   A     2.50   500   500   700  1.0  1.22   2.00  60     3.0/5.0  T
VX012T   T     0.12    50    50   150  0.5  1.16   0.52  60/30  2.4      T
VX022T   T     0.22    80    80   200  0.6  1.17   0.70  60/30  2.8      T
VX038T   T     0.38   100   100   300  0.6  1.18   0.95  60/30  3.0      T
VX062T   T     0.62   150   150   400  0.7  1.18   1.25  60/30  3.4      T
VX090T   T     0.90   200   200   500  0.7  1.19   1.50  60/30  3.6      T
VX130T   T     1.30   300   300   600  0.8  1.20   1.65  60/30  4.0      T
VX210T   T     2.10   450   450   700  0.9  1.21   1.85  60/30  4.5      T
"""

KIND_CODES = {"N": 0, "A": 1, "T": 2}

HEADER = (
    ["ModelName", "PlateKind", "PortIn1", "PortOut1", "PortIn2", "PortOut2",
     "MaxPlates", "PlateArea", "PlateThickness", "ChannelVolume",
     "PlateWeight", "FrameWeight"]
    + [f"{field}{ch}" for ch in (1, 2, 3)
       for field in ("Nu_c", "Nu_m", "Eu_c", "Eu_m", "Pr_c", "Re_Min", "Re_Max")]
    + ["NarrowSection", "NarrowDiameter", "WideSection", "WideDiameter"]
)


class CatalogueError(Exception):
    pass


def check(condition, message):
    if not condition:
        raise CatalogueError(message)


# ---------------------------------------------------------------------------
# Correlations. beta: chevron angle from the flow direction, degrees.
# phi: surface enlargement factor. Re with d = 2 * gap / phi.
# ---------------------------------------------------------------------------

def mm_nusselt(re, pr, beta, phi):
    """Muley & Manglik (1999), Re >= 1000, 30 <= beta <= 60, 1 <= phi <= 1.5."""
    return ((0.2668 - 0.006967 * beta + 7.244e-5 * beta ** 2)
            * (20.7803 - 50.9372 * phi + 41.1585 * phi ** 2 - 10.1507 * phi ** 3)
            * re ** (0.728 + 0.0543 * math.sin(math.pi * beta / 45.0 + 3.7))
            * pr ** (1.0 / 3.0))


def mm_fanning(re, beta, phi):
    """Muley & Manglik (1999), Fanning friction factor."""
    return ((2.917 - 0.1277 * beta + 2.016e-3 * beta ** 2)
            * (5.474 - 19.02 * phi + 18.93 * phi ** 2 - 5.341 * phi ** 3)
            * re ** -(0.2 + 0.0577 * math.sin(math.pi * beta / 45.0 + 2.1)))


def martin_darcy(re, beta):
    """Martin (1996) / VDI Heat Atlas N6: Darcy friction factor xi."""
    a = math.radians(beta)
    if re < 2000.0:
        xi0 = 64.0 / re
        xi1 = 597.0 / re + 3.85
    else:
        xi0 = (1.8 * math.log10(re) - 1.5) ** -2
        xi1 = 39.0 / re ** 0.289
    inv_sqrt = (math.cos(a) / math.sqrt(0.18 * math.tan(a) + 0.36 * math.sin(a)
                                        + xi0 / math.cos(a))
                + (1.0 - math.cos(a)) / math.sqrt(3.8 * xi1))
    return inv_sqrt ** -2


def martin_nusselt(re, pr, beta):
    """Martin (1996) / VDI Heat Atlas N6, wall viscosity factor taken as 1."""
    xi = martin_darcy(re, beta)
    return 0.122 * pr ** (1.0 / 3.0) * (xi * re * re * math.sin(2.0 * math.radians(beta))) ** 0.374


def chevron_nu_pr(re, beta, phi, below):
    """Nu / Pr^(1/3). below: the fit range lies below RE_SWITCH (Martin)."""
    if below or re < RE_SWITCH:
        return martin_nusselt(re, 1.0, beta)
    return mm_nusselt(re, 1.0, beta, phi)


def chevron_fanning(re, beta, phi, below):
    if below or re < RE_SWITCH:
        return martin_darcy(re, beta) / 4.0
    return mm_fanning(re, beta, phi)


def fit_power_law(lo, hi, func):
    """Least squares of ln y = ln c + m ln Re on log-spaced Re in [lo, hi].

    Returns c, m, the largest and the rms relative deviation of the fit."""
    res = [lo * (hi / lo) ** (i / (FIT_POINTS - 1)) for i in range(FIT_POINTS)]
    ys = [func(r) for r in res]
    lx = [math.log(r) for r in res]
    ly = [math.log(y) for y in ys]
    mx = sum(lx) / len(lx)
    my = sum(ly) / len(ly)
    m = (sum((a - mx) * (b - my) for a, b in zip(lx, ly))
         / sum((a - mx) ** 2 for a in lx))
    c = math.exp(my - m * mx)
    dev = [c * r ** m / y - 1.0 for r, y in zip(res, ys)]
    return c, m, max(abs(e) for e in dev), math.sqrt(sum(e * e for e in dev) / len(dev))


def fit_channel(beta, phi, regime):
    """Fit Nu/Pr^(1/3) and the Fanning factor of one channel kind.

    Regime T: Re 1000..10000, Muley-Manglik (a power law in Re itself, so
    the fit reproduces it). Regime L: Martin up to Re 1000, from the lowest
    Re_Min of LAMINAR_RE_MIN_CHOICES for which both fits stay within
    FIT_TOLERANCE."""
    check(30.0 <= beta <= 60.0, f"chevron angle {beta} outside 30..60 deg")
    check(1.0 <= phi <= 1.5, f"enlargement factor {phi} outside 1..1.5")
    if regime == "T":
        ranges = [TURBULENT_RANGE]
    elif regime == "L":
        ranges = [(lo, LAMINAR_RE_MAX) for lo in LAMINAR_RE_MIN_CHOICES]
    else:
        raise CatalogueError(f"unknown fit regime {regime!r}")
    for lo, hi in ranges:
        below = hi <= RE_SWITCH
        nu = fit_power_law(lo, hi, lambda r: chevron_nu_pr(r, beta, phi, below))
        f = fit_power_law(lo, hi, lambda r: chevron_fanning(r, beta, phi, below))
        if max(nu[2], f[2]) <= FIT_TOLERANCE:
            return dict(re_min=lo, re_max=hi, nu=nu, f=f)
    raise CatalogueError(f"no fit range within {FIT_TOLERANCE:.0%} "
                         f"(beta {beta}, phi {phi}, regime {regime})")


# ---------------------------------------------------------------------------
# Geometry
# ---------------------------------------------------------------------------

def parse_table(text):
    models = []
    for line in text.splitlines():
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        cols = line.split()
        check(len(cols) == 12, f"plate table line has {len(cols)} columns: {line}")
        name, kind, area, p1, p2, maxpl, t, phi, lp, beta, gap, fit = cols
        models.append(dict(
            name=name, kind=KIND_CODES[kind], area=float(area),
            port1=int(p1), port2=int(p2), max_plates=int(maxpl),
            thickness=float(t), phi=float(phi), lp=float(lp),
            betas=[float(b) for b in beta.split("/")],
            gaps=[float(g) for g in gap.split("/")], regime=fit))
    return models


def frame_weight(width, height, pack_length):
    """Carbon steel frame: fixed and pressure plate, carrying and guiding bar,
    support column and tightening bolts. width, height: outer plate size, m;
    pack_length: plate pack at MaxPlates, m."""
    head_thickness = 0.025 + 0.07 * width                      # m
    heads = 2.0 * width * height * head_thickness * CARBON_STEEL_DENSITY
    bar_length = pack_length + 0.5
    bars = 2.0 * bar_length * (8.0 + 60.0 * width)              # kg/m of one bar
    return 1.15 * (heads + bars)                                # column, bolts


def derive_geometry(m):
    kind = m["kind"]
    phi, lp, area = m["phi"], m["lp"], m["area"]
    width = area / (phi * lp)                 # effective (gasket-to-gasket) width, m
    gaps = [g / 1000.0 for g in m["gaps"]]
    port_max = max(m["port1"], m["port2"]) / 1000.0

    check(len(m["gaps"]) == (2 if kind == 1 else 1), f"{m['name']}: gap column")
    check(len(m["betas"]) == (2 if kind == 2 else 1), f"{m['name']}: angle column")
    check(all(0.002 <= g <= 0.005 for g in gaps), f"{m['name']}: gap outside 2..5 mm")
    check(0.5 <= m["thickness"] <= 1.0, f"{m['name']}: thickness outside 0.5..1 mm")
    check(width >= 2.0 * port_max, f"{m['name']}: plate too narrow ({width:.3f} m) for its ports")
    check(1.8 <= lp / width <= 3.5, f"{m['name']}: aspect ratio {lp / width:.2f}")
    check(len(m["name"]) <= 10 and m["name"].isascii(), f"{m['name']}: name")

    sections = [g * width for g in gaps]                 # m2, flow section of one channel
    diameters = [2.0 * g / phi for g in gaps]            # m, equivalent diameter
    mean_gap = sum(gaps) / len(gaps)
    volume = lp * width * mean_gap                       # = area / phi * gap
    plate_weight = STEEL_PLATE_DENSITY * m["thickness"] / 1000.0 * area * PLATE_SHEET_FACTOR
    outer_width = width + 0.08
    outer_height = lp + port_max + 0.15
    pack = m["max_plates"] * (mean_gap + m["thickness"] / 1000.0)
    return dict(width=width, sections=sections, diameters=diameters, volume=volume,
                plate_weight=plate_weight,
                frame_weight=frame_weight(outer_width, outer_height, pack))


def channel_kinds(m):
    """(label, beta, gap index) of each stored channel block."""
    if m["kind"] == 0:
        return [("plate", m["betas"][0], 0)]
    if m["kind"] == 1:
        return [("narrow", m["betas"][0], 0), ("wide", m["betas"][0], 1)]
    hard, soft = m["betas"]
    return [("hard", hard, 0), ("mixed", (hard + soft) / 2.0, 0), ("soft", soft, 0)]


def build_model(m):
    geo = derive_geometry(m)
    blocks = []
    for label, beta, gi in channel_kinds(m):
        fit = fit_channel(beta, m["phi"], m["regime"])
        d = geo["diameters"][gi]
        nu_c, nu_m = fit["nu"][0], fit["nu"][1]
        f_c, f_m = fit["f"][0], fit["f"][1]
        # dp of one pass = 4 f (Lp/d) rho w^2 / 2 = Eu rho w^2
        eu_c = 2.0 * f_c * m["lp"] / d
        re_max = TURBULENT_RE_MAX_STORED if m["regime"] == "T" else fit["re_max"]
        blocks.append(dict(label=label, beta=beta, d=d, fit=fit,
                           values=[nu_c, nu_m, eu_c, f_m, PR_EXPONENT,
                                   fit["re_min"], re_max]))
    corr = []
    for i in range(3):
        corr += blocks[i]["values"] if i < len(blocks) else [0.0] * 7

    port2 = m["port2"]
    if m["kind"] == 1:
        wide = [geo["sections"][1], geo["diameters"][1]]
    else:
        wide = [0.0, 0.0]
    row = ([m["name"], m["kind"], m["port1"], m["port1"], port2, port2,
            m["max_plates"], m["area"], m["thickness"], geo["volume"],
            geo["plate_weight"], geo["frame_weight"]]
           + corr
           + [geo["sections"][0], geo["diameters"][0]] + wide)
    return row, blocks, geo


# ---------------------------------------------------------------------------
# Output
# ---------------------------------------------------------------------------

def fmt(x):
    """Plain decimal text: integers as they are, reals to 7 significant digits."""
    if isinstance(x, str):
        return x
    if isinstance(x, int):
        return str(x)
    if x == 0.0:
        return "0"
    s = format(Decimal(f"{x:.7g}"), "f")
    if "." in s:
        s = s.rstrip("0").rstrip(".")
    return s


def as_single(text):
    """The value the program holds after reading the text into a 32-bit real."""
    return struct.unpack("<f", struct.pack("<f", float(text)))[0]


def sanity_check(row_text):
    """Water at 50 ℃, 0.5 m/s in one channel, one pass, no port loss; computed
    from the stored constants the way the rating does. Returns (h, dp) pairs."""
    rec = dict(zip(HEADER, row_text))
    kind = int(rec["PlateKind"])
    w = CHECK_WATER
    pr = w["cp"] * w["mu"] / w["k"]
    # The rating takes the Prandtl exponent from channel 1 for both circuits;
    # 0 would select the defaults 0.3 (cooled) / 0.4 (heated).
    pr_c = as_single(rec["Pr_c1"])
    exponents = [pr_c] if pr_c != 0.0 else [0.3, 0.4]
    used = {0: [1], 1: [1, 2], 2: [1, 2, 3]}[kind]
    results = []
    for ch in used:
        if kind == 1 and ch == 2:
            d = as_single(rec["WideDiameter"])
        else:
            d = as_single(rec["NarrowDiameter"])
        nu_c, nu_m = as_single(rec[f"Nu_c{ch}"]), as_single(rec[f"Nu_m{ch}"])
        eu_c, eu_m = as_single(rec[f"Eu_c{ch}"]), as_single(rec[f"Eu_m{ch}"])
        v = CHECK_VELOCITY
        re = v * d * w["rho"] / w["mu"] * 1000.0
        eu = eu_c * re ** eu_m
        passes = 1
        dp = eu * w["rho"] * v * v * passes / 1000.0      # kPa, no port loss
        for n in exponents:
            nu = nu_c * re ** nu_m * pr ** n
            h = nu * w["k"] / d
            check(CHECK_FILM_RANGE[0] <= h <= CHECK_FILM_RANGE[1],
                  f"{rec['ModelName']} channel {ch}: film coefficient {h:.0f} W/m2K "
                  f"outside {CHECK_FILM_RANGE} (Re {re:.0f})")
            results.append(("h", h))
        check(CHECK_DP_RANGE[0] <= dp <= CHECK_DP_RANGE[1],
              f"{rec['ModelName']} channel {ch}: pressure drop {dp:.2f} kPa "
              f"outside {CHECK_DP_RANGE} (Re {re:.0f})")
        results.append(("dp", dp))
        results.append(("re", re))
    return results


def main():
    # Reference value of the Muley-Manglik correlation as printed by its authors.
    ref = mm_nusselt(2000.0, 0.7, 45.0, 1.18)
    check(abs(ref - 36.49) < 0.005, f"Muley-Manglik reference Nu {ref:.3f}, expected 36.49")

    models = parse_table(PLATE_TABLE)
    names = [m["name"] for m in models]
    check(len(set(names)) == len(names), "duplicate model names")
    counts = [sum(1 for m in models if m["kind"] == k) for k in (0, 1, 2)]
    check(counts[0] >= 25 and counts[1] >= 6 and counts[2] >= 6, f"kind counts {counts}")

    rows, report = [], []
    for m in models:
        row, blocks, geo = build_model(m)
        text = [fmt(x) for x in row]
        check(len(text) == len(HEADER) == 37, "column count")
        checks = sanity_check(text)
        rows.append(text)
        report.append((m, blocks, geo, checks))

    OUT_PATH.parent.mkdir(parents=True, exist_ok=True)
    with open(OUT_PATH, "w", encoding="ascii", newline="\n") as f:
        f.write(",".join(HEADER) + "\n")
        for text in rows:
            f.write(",".join(text) + "\n")

    # Summary
    print(f"wrote {OUT_PATH} ({len(rows)} models: {counts[0]} normal, "
          f"{counts[1]} asymmetric, {counts[2]} thermal mixing)")
    print(f"{'model':8} {'ch':6} {'beta':>5} {'d mm':>6} {'Re fit':>11} "
          f"{'Nu max/rms %':>13} {'f max/rms %':>12} {'Re@0.5':>7} {'h W/m2K':>8} {'dp kPa':>7}")
    hs, dps, worst = [], [], {}
    for m, blocks, geo, checks in report:
        hv = [v for k, v in checks if k == "h"]
        dv = [v for k, v in checks if k == "dp"]
        rv = [v for k, v in checks if k == "re"]
        hs += hv
        dps += dv
        for i, b in enumerate(blocks):
            fit = b["fit"]
            key = m["regime"]
            worst.setdefault(key, [0.0, 0.0, 0.0, 0.0])
            wr = worst[key]
            wr[0] = max(wr[0], fit["nu"][2]); wr[1] = max(wr[1], fit["nu"][3])
            wr[2] = max(wr[2], fit["f"][2]); wr[3] = max(wr[3], fit["f"][3])
            print(f"{m['name']:8} {b['label']:6} {b['beta']:5.1f} {b['d'] * 1000:6.2f} "
                  f"{fit['re_min']:5.0f}-{fit['re_max']:<5.0f} "
                  f"{fit['nu'][2] * 100:6.2f}/{fit['nu'][3] * 100:<6.2f} "
                  f"{fit['f'][2] * 100:5.2f}/{fit['f'][3] * 100:<6.2f} "
                  f"{rv[i]:7.0f} {hv[i]:8.0f} {dv[i]:7.2f}")
    for key, wr in sorted(worst.items()):
        print(f"regime {key}: largest fit deviation Nu {wr[0]:.2%} (rms {wr[1]:.2%}), "
              f"friction {wr[2]:.2%} (rms {wr[3]:.2%})")
    span = [0.0, 0.0]
    for m, blocks, geo, checks in report:
        for b in blocks:
            nu = fit_power_law(*SPANNING_RANGE, lambda r: chevron_nu_pr(r, b["beta"], m["phi"], False))
            f = fit_power_law(*SPANNING_RANGE, lambda r: chevron_fanning(r, b["beta"], m["phi"], False))
            span = [max(span[0], nu[2]), max(span[1], f[2])]
    print(f"(not used) one fit across Re {SPANNING_RANGE[0]:.0f}..{SPANNING_RANGE[1]:.0f}: "
          f"largest deviation Nu {span[0]:.1%}, friction {span[1]:.1%}")
    for m, blocks, geo, checks in report:
        if m["regime"] != "L":
            continue
        for b, re in zip(blocks, [v for k, v in checks if k == "re"]):
            nu_c, nu_m, eu_c, eu_m = b["values"][:4]
            f_c = eu_c * b["d"] / (2.0 * m["lp"])
            r_nu = nu_c * re ** nu_m / mm_nusselt(re, 1.0, b["beta"], m["phi"])
            r_f = f_c * re ** eu_m / mm_fanning(re, b["beta"], m["phi"])
            print(f"{m['name']}: water check at Re {re:.0f} lies above Re_Max; "
                  f"stored Nu / Muley-Manglik {r_nu:.2f}, friction {r_f:.2f}")
    print(f"sanity check (water 50 ℃, 0.5 m/s, one pass): h {min(hs):.0f}..{max(hs):.0f} W/m2K, "
          f"dp {min(dps):.2f}..{max(dps):.2f} kPa")


if __name__ == "__main__":
    try:
        main()
    except CatalogueError as e:
        print(f"gen_catalogue: {e}", file=sys.stderr)
        sys.exit(1)

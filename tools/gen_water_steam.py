#!/usr/bin/python3
"""Generate the water and saturated-steam property tables (data/src/*.csv).

Run by hand when the tables need to be rebuilt:

    /usr/bin/python3 tools/gen_water_steam.py

Needs the `iapws` Python package (Debian: python3-iapws). All values come from
its IAPWS95 class: IAPWS-95 for the thermodynamic properties, IAPWS 2008 for
viscosity and IAPWS 2011 for thermal conductivity.

The program interpolates both tables linearly, so the steam pressure grid is
checked here: at the quarter points and midpoint of every interval the linear
interpolation must agree with IAPWS-95 within MAX_REL_ERROR, otherwise the
script stops without writing either table.
"""

import sys
from pathlib import Path

from iapws import IAPWS95, __version__ as IAPWS_VERSION

OUT_DIR = Path(__file__).resolve().parent.parent / "data" / "src"

P_ATM = 0.101325          # MPa, standard atmosphere
MAX_REL_ERROR = 0.002     # allowed linear-interpolation error of the steam table
CHECK_FRACTIONS = (0.25, 0.5, 0.75)


def grid(start, stop, step):
    """Round pressures start, start+step, ... below stop (no float drift)."""
    n = round((stop - start) / step)
    return [round(start + i * step, 6) for i in range(n)]


# Saturation temperature bends most at low pressure, so the grid is densest
# there. Abs. pressures on round steps are also round gauge pressures (the
# program keys the table by p - 0.1 MPa), so common entries hit a row exactly.
STEAM_PRESSURES = ([P_ATM]
                   + grid(0.11, 0.30, 0.01)
                   + grid(0.30, 1.00, 0.02)
                   + grid(1.00, 3.00, 0.05)
                   + grid(3.00, 8.00, 0.10)
                   + grid(8.00, 16.00, 0.20)
                   + [16.0])

WATER_TEMPERATURES = range(0, 351)  # ℃, 1 K steps


def fmt(x):
    """7 significant digits (the program stores 32-bit floats), no exponent."""
    s = f"{x:.7g}"
    if "e" in s:
        raise ValueError(f"value {x!r} would need an exponent")
    return s


def write_csv(path, header, rows):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(",".join(header) + "\n")
        for row in rows:
            f.write(",".join(row) + "\n")


# --- water ----------------------------------------------------------------

def water_state(t):
    """Liquid water at t ℃ and p = max(psat(t), 1 atm)."""
    T = t + 273.15
    # No liquid-vapour saturation exists below the triple point (0 ℃ only).
    if T >= IAPWS95.Tt:
        sat = IAPWS95(T=T, x=0)          # saturated liquid
        if sat.P >= P_ATM:
            return sat
    # Compressed liquid at 1 atm. At 0 ℃ this is just above the melting line;
    # the solver must land on the liquid root, which the check below enforces.
    state = IAPWS95(T=T, P=P_ATM)
    if state.rho < 900:
        raise RuntimeError(f"{t} C: solver did not return liquid (rho={state.rho})")
    # IAPWS-95 gives 999.843 kg/m3 and 4.2194 kJ/(kg·K) at 0 ℃, 1 atm.
    if t == 0 and not (999.8 < state.rho < 999.9 and 4.21 < state.cp < 4.23):
        raise RuntimeError(f"0 C: unexpected rho={state.rho}, cp={state.cp}")
    return state


def water_rows():
    rows = []
    for t in WATER_TEMPERATURES:
        w = water_state(t)
        mu_cP = w.mu * 1e3               # Pa·s -> mPa·s
        # kJ/(kg·K) x mPa·s / (W/(m·K)): the factors 1e3 and 1e-3 cancel.
        pr = w.cp * mu_cP / w.k
        rows.append([str(t), fmt(w.rho), fmt(w.cp), fmt(w.k), fmt(mu_cP), fmt(pr)])
    return rows


# --- steam ----------------------------------------------------------------

def steam_state(p):
    """(t_sat ℃, saturated vapour density kg/m3, latent heat kJ/kg) at p MPa."""
    s = IAPWS95(P=p, x=0.5)              # two-phase: fills Liquid and Gas
    return (s.T - 273.15, s.Gas.rho, s.Gas.h - s.Liquid.h)


def steam_rows():
    rows = []
    for p in STEAM_PRESSURES:
        t, rho, r = steam_state(p)
        rows.append([fmt(t), fmt(p), fmt(rho), fmt(r)])
    return rows


def check_steam(rows):
    """Max relative interpolation error per column; exits if over the limit."""
    # Check the values as written, so rounding is included.
    table = [tuple(float(v) for v in row) for row in rows]
    names = ("t_sat", "rho_vapour", "latent_heat")
    worst = {n: (0.0, None) for n in names}
    failures = []
    for (t1, p1, d1, r1), (t2, p2, d2, r2) in zip(table, table[1:]):
        for f in CHECK_FRACTIONS:
            p = p1 + f * (p2 - p1)
            exact = steam_state(p)
            interp = (t1 + f * (t2 - t1), d1 + f * (d2 - d1), r1 + f * (r2 - r1))
            for name, e, i in zip(names, exact, interp):
                err = abs(i - e) / abs(e)   # t_sat in ℃; always >= 99.97 here
                if err > worst[name][0]:
                    worst[name] = (err, p)
                if err > MAX_REL_ERROR:
                    failures.append(f"{name} at {p:.6g} MPa: {err:.3%}")
    for name, (err, p) in worst.items():
        print(f"  max interpolation error {name:12s} {err:.4%} at {p:.6g} MPa")
    if failures:
        sys.exit("steam table too coarse:\n  " + "\n  ".join(failures))


def main():
    print(f"iapws {IAPWS_VERSION}")
    if STEAM_PRESSURES != sorted(set(STEAM_PRESSURES)):
        sys.exit("steam pressures must be strictly ascending")

    water = water_rows()
    steam = steam_rows()
    check_steam(steam)

    OUT_DIR.mkdir(parents=True, exist_ok=True)
    write_csv(OUT_DIR / "water.csv",
              ["t_C", "rho_kg_m3", "cp_kJ_kgK", "k_W_mK", "mu_cP", "Pr"], water)
    write_csv(OUT_DIR / "steam.csv",
              ["t_sat_C", "p_abs_MPa", "rho_vap_kg_m3", "r_kJ_kg"], steam)
    print(f"wrote {len(water)} water rows, {len(steam)} steam rows to {OUT_DIR}")


if __name__ == "__main__":
    main()

#include "properties/property_calc.h"

#include <cfenv>
#include <cmath>

#include "common/file_io.h"
#include "common/helpers.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/record_file.h"

namespace fs = std::filesystem;

namespace vx {

namespace {

template <typename T, typename Read>
std::vector<T> loadTable(const fs::path& dir, const char* name, int length, Read read) {
  std::vector<T> records;
  auto path = findFileNoCase(dir, name);
  if (!path) return records;
  RecordFile file(*path, length);
  if (!file.load()) return records;
  records.reserve(static_cast<size_t>(file.count()));
  for (int n = 1; n <= file.count(); ++n) {
    RecordReader r = file.reader(n);
    records.push_back(read(r));
  }
  return records;
}

// Record n (from 1) of a table; zero values past its end, as on disk.
template <typename T>
T recordAt(const std::vector<T>& table, int n) {
  if (n < 1 || static_cast<size_t>(n) > table.size()) return T{};
  return table[static_cast<size_t>(n - 1)];
}

// The search that the curve and the table look-ups share: the record whose
// key equals x, or the pair that brackets it. `value` gives the looked-up
// value of a record. Past `last` or the end of the table the result is 0.
template <typename T, typename Key, typename Value>
float searchBlock(const std::vector<T>& table, int first, int last, float x, Key key, Value value) {
  for (int i = first;; ++i) {
    const T a = recordAt(table, i);
    if (x == key(a)) return value(a);
    if (i + 1 > last || static_cast<size_t>(i + 1) > table.size()) return 0;
    const T b = recordAt(table, i + 1);
    if (x >= key(b)) continue;
    return Interpolate(key(a), key(b), value(a), value(b), x);
  }
}

bool usable(double v) { return std::isfinite(v); }

// A result box: nothing for a value that is not a number or is negative.
std::string boxText(double value, const char* pattern) {
  if (!usable(value) || value < 0) return "";
  return Format(value, pattern);
}

std::string shortText(double value) {
  if (!usable(value) || value < 0) return "";
  return FormatProp(static_cast<float>(value));
}

// "0.###" of a positive value; empty otherwise.
std::string positiveShort(double value) {
  if (!usable(value) || value <= 0) return "";
  return FormatProp(static_cast<float>(value));
}

void invalidViscosity(Host& host) { host.message("无效的黏度", Icon::None, Buttons::Ok, 0); }

int roundHalfEven(double v) {
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(v);
  std::fesetround(saved);
  return static_cast<int>(r);
}

bool outside(const EntryBounds& b, double v, int lower) { return b.enabled && (v > b.upper || v < lower); }

}  // namespace

FluidTables LoadFluidTables(const fs::path& dir) {
  FluidTables t;
  t.rff = loadTable<RffRecord>(dir, kRffFile, kRffRecordLength, [](RecordReader& r) { return readRffRecord(r); });
  t.rffa = loadTable<RffaRecord>(dir, kRffaFile, kRffaRecordLength, [](RecordReader& r) { return readRffaRecord(r); });
  t.matrix = loadTable<MatrixRecord>(dir, kMatrixFile, kMatrixRecordLength,
                                     [](RecordReader& r) { return readMatrixRecord(r); });
  return t;
}

float CurveLookup(const FluidTables& t, int first, int last, float x) {
  return searchBlock(t.rff, first, last, x, [](const RffRecord& r) { return r.X; },
                     [](const RffRecord& r) { return r.Y; });
}

float TableLookup(const FluidTables& t, Host& host, int first, int count, float x, int column) {
  if (column < 1 || column > 4) {
    host.message("参数有错误.", Icon::Information, Buttons::Ok, 0);
    return 0;
  }
  auto value = [column](const RffaRecord& r) {
    switch (column) {
      case 1: return r.Density;
      case 2: return r.SpecificHeat;
      case 3: return r.Conductivity;
      default: return r.Viscosity;
    }
  };
  return searchBlock(t.rffa, first, first + count - 1, x, [](const RffaRecord& r) { return r.Temperature; }, value);
}

std::optional<float> GridLookup(const FluidTables& t, Host& host, int first, int rows, int cols, float x, float y) {
  auto at = [&](int i, int j) { return recordAt(t.matrix, first + i * cols + j); };
  bool found = true;
  int i = 0;
  for (;; ++i) {
    if (i + 1 > rows - 1) {
      host.message("超出范围.", Icon::Information, Buttons::Ok, 0);
      found = false;
      break;
    }
    if (at(i + 1, 0).X >= x) break;
  }
  int j = 0;
  for (;; ++j) {
    if (j + 1 > cols - 1) {
      host.message("超出范围.", Icon::Information, Buttons::Ok, 0);
      found = false;
      break;
    }
    if (at(0, j + 1).Y >= y) break;
  }
  if (!found) return std::nullopt;
  const float za = Interpolate(at(i, j).X, at(i + 1, j).X, at(i, j).Z, at(i + 1, j).Z, x);
  const float zb = Interpolate(at(i, j + 1).X, at(i + 1, j + 1).X, at(i, j + 1).Z, at(i + 1, j + 1).Z, x);
  const float z = Interpolate(at(i, j).Y, at(i, j + 1).Y, za, zb, y);
  if (!std::isfinite(z)) return std::nullopt;
  return z;
}

std::optional<double> LewisSquires(double tRef, double muRef, double t) {
  if (!(muRef > 0)) return std::nullopt;
  const double base = std::pow(muRef, -0.2661) + (t - tRef) / 233;
  if (!(base > 0)) return std::nullopt;
  const double mu = std::exp(std::log(base) / -0.2661);
  if (!usable(mu)) return std::nullopt;
  return mu;
}

float Poly4(double x, float a, float b, float c, float d, float e) {
  return static_cast<float>(a * std::pow(x, 4) + b * std::pow(x, 3) + c * x * x + d * x + e);
}

float PolyPair(float x1, float x2, float w1, float w2, float k, PolyCoefficients p1, PolyCoefficients p2) {
  auto poly = [](double x, const PolyCoefficients& p) {
    return static_cast<float>(p.a * std::pow(x, 4) + p.b * std::pow(x, 3) + p.c * x * x + p.d * x + p.e);
  };
  const float v1 = poly(x1, p1), v2 = poly(x2, p2);
  return static_cast<float>(static_cast<double>(w1) * v1 + static_cast<double>(w2) * v2 + k);
}

std::optional<int> MinTemperature(const FluidTables& t, int k, double x) {
  double tmin = 0;
  switch (k) {
    case 1: tmin = -4e-6 * std::pow(x, 4) + 0.0008 * std::pow(x, 3) - 0.0509 * x * x + 0.3547 * x - 2.9901; break;
    case 2: tmin = CurveLookup(t, 168, 177, static_cast<float>(x)); break;
    case 3: tmin = -0.0194 * x * x - 0.4253 * x - 0.2867; break;
    default: return std::nullopt;
  }
  if (!usable(tmin) || std::fabs(tmin) > 1e6) return std::nullopt;
  return roundHalfEven(tmin);
}

CommonFluidTexts CommonFluidProps(const FluidTables& t, Host& host, int k, double C, double T,
                                  const EntryBounds& cb, const EntryBounds& tb) {
  CommonFluidTexts out;
  if (outside(cb, C, cb.lower)) {
    ShowMessage(host, 540);
    return out;
  }
  // A brine is checked against the freezing point of the concentration that
  // is calculated, not of wherever the scroll bar stands.
  int tLower = tb.lower;
  if (cb.enabled) {
    if (auto m = MinTemperature(t, k, C)) tLower = *m;
  }
  if (outside(tb, T, tLower)) {
    ShowMessage(host, 541);
    return out;
  }
  if (k < 0 || k > 19) return out;

  std::string& density = out[0];
  std::string& cp = out[1];
  std::string& conductivity = out[2];
  std::string& viscosity = out[3];
  const float c = static_cast<float>(C), temp = static_cast<float>(T);
  auto grid = [&](int first, int rows, int cols, float x, float y) -> double {
    auto v = GridLookup(t, host, first, rows, cols, x, y);
    return v ? *v : std::nan("");
  };
  // The viscosity of the solutions from their curve at a reference temperature.
  auto curveViscosity = [&](double tRef, int first, int last) {
    const float muRef = CurveLookup(t, first, last, c);
    auto mu = muRef == 0 ? std::nullopt : LewisSquires(tRef, muRef, T);
    if (!mu) {
      invalidViscosity(host);
      return std::string();
    }
    return boxText(*mu, "0.####");
  };
  // A viscosity of 0 or below is no viscosity.
  auto viscosityText = [](double mu) { return mu > 0 ? boxText(mu, "0.####") : std::string(); };

  switch (k) {
    case 0:
      density = boxText(1000.0 * PolyPair(c, temp, 0.821f, 1.479f, -1.272f, {-2e-8f, 4e-6f, -0.0002f, 0.011f, 0.9848f},
                                          {-1e-10f, 3e-8f, -7e-6f, 1e-6f, 1.0074f}),
                        "0.##");
      viscosity = curveViscosity(30, 1, 26);
      cp = boxText(Poly4(C, 0, -7e-7f, 0.0002f, -0.0418f, 4.1863f), "0.####");
      conductivity = boxText(0.593 - 0.00304 * C + 0.0009634 * T, "0.####");
      break;
    case 1:
      density = boxText(1000 * (1.026 - 0.00211 * C - 0.000696 * T), "0.##");
      viscosity = curveViscosity(25, 27, 36);
      cp = boxText(grid(1, 5, 11, temp, c), "0.####");
      conductivity = boxText(
          PolyPair(c, temp, 1.02f, 1.08f, -0.414f, {0, 0, 3e-5f, -0.0075f, 0.628f}, {0, 0, -3e-6f, 0.0006f, 0.3521f}),
          "0.####");
      break;
    case 2:
      density = boxText(1000 * (1.024 - 0.000702 * T + 0.001047 * C), "0.##");
      viscosity = curveViscosity(10, 37, 49);
      cp = boxText(grid(56, 8, 17, c, temp), "0.####");
      conductivity = boxText(0.583 - 0.00377 * C + 0.0005979 * T, "0.####");
      break;
    case 3:
      density = boxText(1000 * (1.006 + 0.00759 * C - 0.000513 * T), "0.##");
      viscosity = curveViscosity(20, 50, 55);
      cp = boxText(grid(192, 6, 5, temp, c), "0.####");
      conductivity = boxText(-0.00106 * C + 1.075 * (0.5369 + 0.0018 * T - 7e-6 * T * T) - 0.0165, "0.####");
      break;
    case 17:
      density = boxText(1000 * (1.006 - 0.000464 * T + 0.005042 * C), "0.##");
      cp = boxText(grid(282, 8, 4, c, temp), "0.####");
      conductivity = boxText(grid(257, 5, 5, temp, c), "0.####");
      viscosity = viscosityText(grid(222, 7, 5, temp, c));
      break;
    case 18: {
      density = boxText(983.363 + 3.332 * C - 0.421 * T, "0.##");
      const double heat = 4.1154 - 0.0139 * C;
      cp = usable(heat) && heat >= 0 ? PlainNumber(heat) : "";
      conductivity = boxText(grid(314, 6, 16, c, temp), "0.####");
      viscosity = viscosityText(grid(410, 10, 16, c, temp));
      break;
    }
    case 19:
      density = boxText(1032.298 + 3.333 * C - 0.385 * T, "0.##");
      cp = boxText(4.052 - 0.0139 * C + 0.001603 * T, "0.####");
      conductivity = boxText(grid(570, 6, 16, c, temp), "0.####");
      viscosity = viscosityText(grid(666, 10, 16, c, temp));
      break;
    default: {
      static const int firsts[13] = {1, 15, 29, 122, 94, 69, 43, 145, 150, 154, 158, 173, 163};
      static const int counts[13] = {14, 14, 14, 23, 28, 25, 26, 5, 4, 4, 5, 10, 10};
      const int first = firsts[k - 4], count = counts[k - 4];
      density = boxText(TableLookup(t, host, first, count, temp, 1), "0.####");
      cp = boxText(TableLookup(t, host, first, count, temp, 2), "0.####");
      conductivity = boxText(TableLookup(t, host, first, count, temp, 3), "0.####");
      viscosity = boxText(TableLookup(t, host, first, count, temp, 4), "0.####");
      break;
    }
  }
  return out;
}

std::optional<BaseDataEstimates> BaseDataEstimate(const BaseDataRecord& rec, Host& host, double T) {
  if (rec.MolWeight == 0) {
    ShowMessage(host, 564);
    return std::nullopt;
  }
  BaseDataEstimates e;
  if (rec.VpEquation >= 1) e.vapourPressureRange = PlainNumber(rec.VpTMin) + "-" + PlainNumber(rec.VpTMax);
  if (rec.VisEquation >= 1)
    e.viscosityRange = PlainNumber(rec.VisTMin + 273.0f) + " ~ " + PlainNumber(rec.VisTMax + 273.0f);
  // No correlation holds at or below absolute zero, nor for a negative
  // molecular weight.
  if (!usable(T) || T <= 0 || rec.MolWeight < 0) return e;

  const double mw = rec.MolWeight, tc = rec.Tc;
  const double tr = tc != 0 ? T / tc : 0;

  // Ideal-gas heat capacity: any non-zero coefficient counts, so that the
  // monatomic gases (one constant term) keep theirs.
  double cp0 = 0;
  if (rec.CpA != 0 || rec.CpB != 0 || rec.CpC != 0 || rec.CpD != 0) {
    const double raw = rec.CpA + rec.CpB * T + rec.CpC * T * T + static_cast<double>(rec.CpD) * T * T * T;
    if (usable(raw)) cp0 = Val(Format(raw, "0.###"));
  }
  e.rows[kGasCpRow] = positiveShort(cp0 / mw);

  // Liquid heat capacity (Rowlinson-Bondi form), below the critical point only.
  if (tr > 0 && tr < 1 && cp0 != 0) {
    const double cpl = cp0 + kGasConstantJ * (0.5 + 2.2 * rec.Omega) *
                                 (3.67 + 11.64 * std::pow(1 - tr, 4) + 0.634 / (1 - tr));
    e.rows[kLiquidCpRow] = positiveShort(cpl / mw);
  }

  // Vapour pressure, bar.
  if (rec.VpEquation >= 1 && rec.VpTMin <= T && T <= rec.VpTMax) {
    double p = std::nan("");
    switch (rec.VpEquation) {
      case 1:
        if (tr == 0) {
          ShowMessage(host, 565);
        } else if (tr <= 1) {
          const double x = 1 - tr;
          p = rec.Pc * std::exp((rec.VpA * x + rec.VpB * std::pow(x, 1.5) + rec.VpC * std::pow(x, 3) +
                                 rec.VpD * std::pow(x, 6)) /
                                (1 - x));
        }
        break;
      case 2: {
        // ln P = A - B/T + C ln T + D P / T^2, solved for y = ln P by Newton
        // steps from the value without the D term.
        const double a = rec.VpA - rec.VpB / T + rec.VpC * std::log(T);
        const double d = rec.VpD / (T * T);
        double y = a;
        bool converged = false;
        for (int step = 0; step < 100 && usable(y); ++step) {
          const double ey = std::exp(y);
          const double g = y - a - d * ey, dg = 1 - d * ey;
          if (dg == 0) break;
          const double next = y - g / dg;
          if (std::fabs(next - y) < 1e-10 * std::max(1.0, std::fabs(y))) {
            y = next;
            converged = true;
            break;
          }
          y = next;
        }
        if (converged) p = std::exp(y);
        break;
      }
      case 3:
        if (T + rec.VpC != 0) p = std::exp(rec.VpA - rec.VpB / (T + rec.VpC));
        break;
      default: break;
    }
    e.rows[kVapourPressureRow] = positiveShort(p);
  }

  // Saturated liquid density (Rackett, with the reference density when there is one).
  if (rec.Omega != 0 && rec.Pc != 0 && tc != 0 && T <= tc && rec.LiqDensityT <= tc) {
    const double z = 0.29056 - 0.08775 * rec.Omega;
    double v = std::nan("");
    if (z > 0 && tc > 0) {
      if (rec.LiqDensityT > 0) {
        if (rec.LiqDensity > 0)
          v = (mw / rec.LiqDensity) * std::pow(z, std::pow(1 - tr, 2.0 / 7) - std::pow(1 - rec.LiqDensityT / tc, 2.0 / 7));
      } else {
        v = (kGasConstantVolume * tc / rec.Pc) * std::pow(z, 1 + std::pow(1 - tr, 2.0 / 7));
      }
    }
    const float rho = static_cast<float>(1000 * mw / v);
    if (std::isfinite(rho) && rho > 0) e.rows[kLiquidDensityRow] = PlainNumber(rho);
  }

  // Liquid viscosity, cP; the range is in C.
  if (rec.VisEquation >= 1 && rec.VisTMin <= T - 273 && T - 273 <= rec.VisTMax) {
    double mu = std::nan("");
    switch (rec.VisEquation) {
      case 1: mu = rec.VisA * std::pow(T, rec.VisB); break;
      case 2: mu = std::exp(rec.VisA + rec.VisB / T); break;
      case 3: mu = std::exp(rec.VisA + rec.VisB / T + rec.VisC * T + rec.VisD * T * T); break;
      case 4:
        if (auto m = LewisSquires(rec.VisRefT, rec.VisRef, T)) mu = *m;
        break;
      default: break;
    }
    e.rows[kLiquidViscosityRow] = positiveShort(mu);
  }

  // Liquid thermal conductivity (Sato-Riedel), below the normal boiling point.
  if (T < rec.TBoil && rec.TBoil != 0 && T < tc && rec.TBoil < tc && mw > 0) {
    const double lambda = (1.11 / std::sqrt(mw)) * (3 + 20 * std::pow(1 - T / tc, 2.0 / 3)) /
                          (3 + 20 * std::pow(1 - rec.TBoil / tc, 2.0 / 3));
    e.rows[kLiquidConductivityRow] = positiveShort(lambda);
  }
  return e;
}

SelfDataTexts SelfDataAtTemperature(const PropertyRecord& rec, float t0, float t1, float t2, float ts) {
  SelfDataTexts out;
  if (!std::isfinite(t0) || !std::isfinite(t1) || !std::isfinite(t2) || !std::isfinite(ts)) return out;
  if (ts > t2 || ts < t0) return out;
  // Two equal temperatures leave no parabola through the three points.
  if (t0 == t1 || t0 == t2 || t1 == t2) return out;
  auto at = [&](const std::array<float, 4>& a) { return Interpolate3(t0, t1, t2, a[0], a[1], a[2], ts); };
  auto plain = [](float v) { return std::isfinite(v) && v >= 0 ? PlainNumber(v) : std::string(); };
  out[0] = plain(at(rec.Density));
  out[1] = plain(at(rec.SpecificHeat));
  out[2] = shortText(at(rec.Conductivity));
  // Viscosity: the mean of the three Lewis-Squires-type shifts (base 4442 cP).
  const std::array<float, 3> temps = {t0, t1, t2};
  double mu = std::nan("");
  for (int i = 0; i < 3 && !usable(mu); ++i)
    if (ts == temps[static_cast<size_t>(i)]) mu = rec.Viscosity[static_cast<size_t>(i)];
  if (!usable(mu)) {
    double sum = 0;
    bool valid = true;
    for (size_t i = 0; i < 3 && valid; ++i) {
      const double m = rec.Viscosity[i];
      const double base = m > 0 ? std::pow(m / 4442, -1 / 3.7856) + (ts - temps[i]) / 25.0 : -1;
      if (!(base > 0)) {
        valid = false;
        break;
      }
      sum += 4442 * std::pow(base, -3.7856);
    }
    if (valid) mu = std::floor(1000 * sum / 3 + 0.5) / 1000;
  }
  out[3] = usable(mu) && mu > 0 ? FormatProp(static_cast<float>(mu)) : "";
  out[4] = shortText(at(rec.VapourDensity));
  out[5] = shortText(at(rec.LatentHeat));
  return out;
}

}  // namespace vx

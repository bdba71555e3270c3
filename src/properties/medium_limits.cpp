#include "properties/medium_limits.h"

#include <cmath>

namespace vx {

namespace {

bool within(double x, double low, double high) { return std::isfinite(x) && x >= low && x <= high; }

}  // namespace

// The bounds are wide on purpose: from gases near vacuum and liquid metals
// (mercury 0.14 kJ/(kg.K), sodium 86 W/(m.K)) to bitumen (1e8 cP).
bool PlausibleLiquid(double density, double cp, double conductivity, double viscosity) {
  return within(density, 0.01, 25000) && within(cp, 0.05, 100) && within(conductivity, 0.001, 1000) &&
         within(viscosity, 1e-4, 1e9);
}

bool PlausibleVapour(double latent, double vapourDensity) {
  return within(latent, 0, 10000) && within(vapourDensity, 0, 25000);
}

bool PlausiblePrandtl(double prandtl) { return within(prandtl, 1e-5, 1e12); }

}  // namespace vx

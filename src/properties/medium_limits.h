#pragma once
// The property values a real fluid can have. A value outside them (a
// specific heat of 1e-38, a viscosity of 1e30 cP) is a typing or file error,
// and a rating made with it would show an absurd exchanger as a result.
namespace vx {

// Density of the liquid kg/m3, specific heat kJ/(kg.K), conductivity
// W/(m.K), viscosity cP: each positive, finite and within what fluids have.
bool PlausibleLiquid(double density, double cp, double conductivity, double viscosity);

// Latent heat kJ/kg and density of the vapour kg/m3: 0 (no phase change)
// or within what fluids have.
bool PlausibleVapour(double latent, double vapourDensity);

// The Prandtl number the rating takes from the properties above.
bool PlausiblePrandtl(double prandtl);

}  // namespace vx

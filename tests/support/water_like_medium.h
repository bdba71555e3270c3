#pragma once
// A self-built medium close to water between 20 and 60 C, for tests that
// save and read self-built records.
#include "properties/self_data.h"

namespace vx::test {

inline SelfDataColumns WaterLikeColumns() {
  SelfDataColumns values;
  values.Temperature = {20, 40, 60};
  values.Density = {1000, 990, 980};
  values.SpecificHeat = {4.2f, 4.2f, 4.2f};
  values.Conductivity = {0.6f, 0.62f, 0.64f};
  values.Viscosity = {1.0f, 0.65f, 0.47f};
  return values;
}

}  // namespace vx::test

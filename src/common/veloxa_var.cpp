#include "common/veloxa_var.h"

namespace vx {

void ProduceResult(VeloxaVar& v, MainCommands& main) {
  v.ConditionsChanged = false;
  v.ResultAvailable = true;
  v.CaseSaved = false;
  main.setOutputsEnabled(true);
}

void WithdrawResult(VeloxaVar& v, MainCommands& main) {
  v.ConditionsChanged = true;
  v.ResultAvailable = false;
  v.CaseSaved = true;
  main.setOutputsEnabled(false);
}

}  // namespace vx

#pragma once
// std::pow that remembers its last results by their exact arguments. A design
// rates thousands of trials that raise the same Prandtl number to the same
// exponent, and rates each channel group at the Re its flow split has just
// raised to the Eu exponent; a remembered result is the very same double.
namespace vx {

double RememberedPow(double x, double y);

}  // namespace vx

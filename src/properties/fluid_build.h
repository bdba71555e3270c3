#pragma once
// Builds the fluid property databases of the installation data folder from
// the readable sources of the repository (data/src):
//   src/fluids/pubdata.csv     -> out/PubData.dat   (20 common fluids)
//   src/fluids/RFF.csv         -> out/RFF.dat
//   src/fluids/RFFA.csv        -> out/RFFA.dat
//   src/fluids/Matrix.csv      -> out/Matrix.dat
//   src/components/newdata.txt -> out/bp.dat        (818 components)
// and an empty out/property.dat for the person's own media.
#include <filesystem>
#include <string>

namespace vx {

// False with "file:line: reason" (or "file: reason") in `error` when a source
// is missing, a row cannot be converted, a list does not hold the number of
// records the program reads, or a file cannot be written.
bool BuildFluidFiles(const std::filesystem::path& src, const std::filesystem::path& out, std::string& error);

}  // namespace vx

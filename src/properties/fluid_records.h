#pragma once
// The records of the fluid property databases: the self-built file
// "property.dat", the common-fluid list "PubData.dat" with its tables
// "RFF.dat", "RFFA.dat" and "Matrix.dat", and the pure-component data bank
// "bp.dat". Records are packed without gaps; text is GBK padded with spaces.
#include <array>
#include <cstdint>
#include <string>

#include "common/record_file.h"

namespace vx {

inline constexpr const char* kSelfDataFile = "property.dat";
inline constexpr const char* kCommonFluidFile = "PubData.dat";
inline constexpr const char* kRffFile = "RFF.dat";
inline constexpr const char* kRffaFile = "RFFA.dat";
inline constexpr const char* kMatrixFile = "Matrix.dat";
inline constexpr const char* kBaseDataFile = "bp.dat";

// The text sources the imports read.
inline constexpr const char* kCommonFluidSource = "pubdata.csv";
inline constexpr const char* kRffSource = "RFF.csv";
inline constexpr const char* kRffaSource = "RFFA.csv";
inline constexpr const char* kMatrixSource = "Matrix.csv";
inline constexpr const char* kBaseDataSource = "newdata.txt";

inline constexpr int kPropertyRecordLength = 232;
inline constexpr int kPubDataRecordLength = 40;
inline constexpr int kBaseDataRecordLength = 236;
inline constexpr int kRffRecordLength = 8;
inline constexpr int kRffaRecordLength = 20;
inline constexpr int kMatrixRecordLength = 12;

// The data bank is read as records 1 to 818, whatever the file holds.
inline constexpr int kBaseDataCount = 818;

inline constexpr int kSelfNameWidth = 20;
inline constexpr int kSelfRemarkWidth = 100;
inline constexpr int kCommonNameWidth = 20;

// One self-built medium. Element k (0, 1, 2) of every array is the value at
// the lower, middle and upper temperature, Temperature[k]; element 3 is never
// written by the program and is kept as found on an update.
struct PropertyRecord {
  std::string Name;  // UTF-8, trailing padding removed
  std::array<float, 4> Density{};        // kg/m3
  std::array<float, 4> SpecificHeat{};   // kJ/(kg K)
  std::array<float, 4> Conductivity{};   // W/(m K)
  std::array<float, 4> Viscosity{};      // cP
  std::array<float, 4> LatentHeat{};     // kJ/kg
  std::array<float, 4> VapourDensity{};  // kg/m3
  std::array<float, 4> Temperature{};    // C
  std::string Remark;
};

// One entry of the common-fluid list; its position selects the calculation.
struct PubDataRecord {
  std::string Name;
  int16_t HasTemperature = 0;    // -1 when the properties depend on temperature, else 0
  int16_t HasConcentration = 0;  // -1 when they depend on concentration, else 0
  float TMin = 0, TMax = 0;      // C
  float CMin = 0, CMax = 0;      // mass percent
};

// One pure component of the data bank. Temperatures in K unless noted.
struct BaseDataRecord {
  int16_t Valid = 0;
  std::string Formula, NameCn, AliasCn, NameEn, CasNo;
  float MolWeight = 0, TFreeze = 0, TBoil = 0, Tc = 0;
  float Pc = 0;  // bar
  float Vc = 0;  // cm3/mol
  float Zc = 0, Omega = 0, Dipole = 0;
  float CpA = 0, CpB = 0, CpC = 0, CpD = 0;
  float Reserved1 = 0, Reserved2 = 0;
  int16_t VpEquation = 0;
  float VpA = 0, VpB = 0, VpC = 0, VpD = 0;
  float VpTMin = 0, VpTMax = 0;
  float LiqDensity = 0;  // g/cm3
  float LiqDensityT = 0;
  int16_t VisEquation = 0;
  double VisA = 0;
  float VisB = 0, VisC = 0, VisD = 0;
  float VisTMin = 0, VisTMax = 0;  // C
  float VisRef = 0;                // cP
  float VisRefT = 0;
};

// Curve table: x is the key, ascending within a block.
struct RffRecord {
  float X = 0, Y = 0;
};

// Property table of a single fluid by temperature (C, the key).
struct RffaRecord {
  float Temperature = 0, Density = 0, SpecificHeat = 0, Conductivity = 0, Viscosity = 0;
};

// Grid cell: row key x, column key y, value z.
struct MatrixRecord {
  float X = 0, Y = 0, Z = 0;
};

// Codecs. Readers take text fields without their trailing blanks and NULs;
// writers pad text with blanks and cut it at its width.
PropertyRecord readPropertyRecord(RecordReader& r);
void writePropertyRecord(RecordWriter& w, const PropertyRecord& rec);
PubDataRecord readPubDataRecord(RecordReader& r);
void writePubDataRecord(RecordWriter& w, const PubDataRecord& rec);
BaseDataRecord readBaseDataRecord(RecordReader& r);
void writeBaseDataRecord(RecordWriter& w, const BaseDataRecord& rec);
RffRecord readRffRecord(RecordReader& r);
void writeRffRecord(RecordWriter& w, const RffRecord& rec);
RffaRecord readRffaRecord(RecordReader& r);
void writeRffaRecord(RecordWriter& w, const RffaRecord& rec);
MatrixRecord readMatrixRecord(RecordReader& r);
void writeMatrixRecord(RecordWriter& w, const MatrixRecord& rec);

// The same on whole records of bytes.
PropertyRecord readPropertyRecord(const std::string& bytes);
std::string writePropertyRecord(const PropertyRecord& rec);
PubDataRecord readPubDataRecord(const std::string& bytes);
std::string writePubDataRecord(const PubDataRecord& rec);
BaseDataRecord readBaseDataRecord(const std::string& bytes);
std::string writeBaseDataRecord(const BaseDataRecord& rec);

// A record whose name field (the first `nameWidth` bytes at `nameOffset`) is
// all zero bytes is blank; blank records end the lists.
bool isBlankRecord(const std::string& bytes, int nameOffset, int nameWidth);

// False when a value the program uses is NaN or infinite (a damaged record).
bool isSound(const PropertyRecord& rec);
bool isSound(const PubDataRecord& rec);
bool isSound(const BaseDataRecord& rec);

}  // namespace vx

#include "properties/fluid_records.h"

#include <cmath>

namespace vx {

namespace {

// Leading blanks belong to a name as typed; only the padding goes.
std::string readText(RecordReader& r, int width) {
  std::string s = r.text(width);
  size_t end = s.size();
  while (end > 0 && (s[end - 1] == ' ' || s[end - 1] == '\0')) --end;
  s.resize(end);
  return s;
}

void readArray(RecordReader& r, std::array<float, 4>& a) {
  for (auto& v : a) v = r.single();
}

void writeArray(RecordWriter& w, const std::array<float, 4>& a) {
  for (float v : a) w.single(v);
}

bool finite3(const std::array<float, 4>& a) {
  return std::isfinite(a[0]) && std::isfinite(a[1]) && std::isfinite(a[2]);
}

template <typename... F>
bool allFinite(F... values) {
  return (std::isfinite(static_cast<double>(values)) && ...);
}

}  // namespace

PropertyRecord readPropertyRecord(RecordReader& r) {
  PropertyRecord rec;
  rec.Name = readText(r, kSelfNameWidth);
  readArray(r, rec.Density);
  readArray(r, rec.SpecificHeat);
  readArray(r, rec.Conductivity);
  readArray(r, rec.Viscosity);
  readArray(r, rec.LatentHeat);
  readArray(r, rec.VapourDensity);
  readArray(r, rec.Temperature);
  rec.Remark = readText(r, kSelfRemarkWidth);
  return rec;
}

void writePropertyRecord(RecordWriter& w, const PropertyRecord& rec) {
  w.text(rec.Name, kSelfNameWidth);
  writeArray(w, rec.Density);
  writeArray(w, rec.SpecificHeat);
  writeArray(w, rec.Conductivity);
  writeArray(w, rec.Viscosity);
  writeArray(w, rec.LatentHeat);
  writeArray(w, rec.VapourDensity);
  writeArray(w, rec.Temperature);
  w.text(rec.Remark, kSelfRemarkWidth);
}

PubDataRecord readPubDataRecord(RecordReader& r) {
  PubDataRecord rec;
  rec.Name = readText(r, kCommonNameWidth);
  rec.HasTemperature = r.int16();
  rec.HasConcentration = r.int16();
  rec.TMin = r.single();
  rec.TMax = r.single();
  rec.CMin = r.single();
  rec.CMax = r.single();
  return rec;
}

void writePubDataRecord(RecordWriter& w, const PubDataRecord& rec) {
  w.text(rec.Name, kCommonNameWidth);
  w.int16(rec.HasTemperature);
  w.int16(rec.HasConcentration);
  w.single(rec.TMin);
  w.single(rec.TMax);
  w.single(rec.CMin);
  w.single(rec.CMax);
}

BaseDataRecord readBaseDataRecord(RecordReader& r) {
  BaseDataRecord rec;
  rec.Valid = r.int16();
  rec.Formula = readText(r, 10);
  rec.NameCn = readText(r, 20);
  rec.AliasCn = readText(r, 30);
  rec.NameEn = readText(r, 30);
  rec.CasNo = readText(r, 12);
  rec.MolWeight = r.single();
  rec.TFreeze = r.single();
  rec.TBoil = r.single();
  rec.Tc = r.single();
  rec.Pc = r.single();
  rec.Vc = r.single();
  rec.Zc = r.single();
  rec.Omega = r.single();
  rec.Dipole = r.single();
  rec.CpA = r.single();
  rec.CpB = r.single();
  rec.CpC = r.single();
  rec.CpD = r.single();
  rec.Reserved1 = r.single();
  rec.Reserved2 = r.single();
  rec.VpEquation = r.int16();
  rec.VpA = r.single();
  rec.VpB = r.single();
  rec.VpC = r.single();
  rec.VpD = r.single();
  rec.VpTMin = r.single();
  rec.VpTMax = r.single();
  rec.LiqDensity = r.single();
  rec.LiqDensityT = r.single();
  rec.VisEquation = r.int16();
  rec.VisA = r.real64();
  rec.VisB = r.single();
  rec.VisC = r.single();
  rec.VisD = r.single();
  rec.VisTMin = r.single();
  rec.VisTMax = r.single();
  rec.VisRef = r.single();
  rec.VisRefT = r.single();
  return rec;
}

void writeBaseDataRecord(RecordWriter& w, const BaseDataRecord& rec) {
  w.int16(rec.Valid);
  w.text(rec.Formula, 10);
  w.text(rec.NameCn, 20);
  w.text(rec.AliasCn, 30);
  w.text(rec.NameEn, 30);
  w.text(rec.CasNo, 12);
  w.single(rec.MolWeight);
  w.single(rec.TFreeze);
  w.single(rec.TBoil);
  w.single(rec.Tc);
  w.single(rec.Pc);
  w.single(rec.Vc);
  w.single(rec.Zc);
  w.single(rec.Omega);
  w.single(rec.Dipole);
  w.single(rec.CpA);
  w.single(rec.CpB);
  w.single(rec.CpC);
  w.single(rec.CpD);
  w.single(rec.Reserved1);
  w.single(rec.Reserved2);
  w.int16(rec.VpEquation);
  w.single(rec.VpA);
  w.single(rec.VpB);
  w.single(rec.VpC);
  w.single(rec.VpD);
  w.single(rec.VpTMin);
  w.single(rec.VpTMax);
  w.single(rec.LiqDensity);
  w.single(rec.LiqDensityT);
  w.int16(rec.VisEquation);
  w.real64(rec.VisA);
  w.single(rec.VisB);
  w.single(rec.VisC);
  w.single(rec.VisD);
  w.single(rec.VisTMin);
  w.single(rec.VisTMax);
  w.single(rec.VisRef);
  w.single(rec.VisRefT);
}

RffRecord readRffRecord(RecordReader& r) {
  RffRecord rec;
  rec.X = r.single();
  rec.Y = r.single();
  return rec;
}

void writeRffRecord(RecordWriter& w, const RffRecord& rec) {
  w.single(rec.X);
  w.single(rec.Y);
}

RffaRecord readRffaRecord(RecordReader& r) {
  RffaRecord rec;
  rec.Temperature = r.single();
  rec.Density = r.single();
  rec.SpecificHeat = r.single();
  rec.Conductivity = r.single();
  rec.Viscosity = r.single();
  return rec;
}

void writeRffaRecord(RecordWriter& w, const RffaRecord& rec) {
  w.single(rec.Temperature);
  w.single(rec.Density);
  w.single(rec.SpecificHeat);
  w.single(rec.Conductivity);
  w.single(rec.Viscosity);
}

MatrixRecord readMatrixRecord(RecordReader& r) {
  MatrixRecord rec;
  rec.X = r.single();
  rec.Y = r.single();
  rec.Z = r.single();
  return rec;
}

void writeMatrixRecord(RecordWriter& w, const MatrixRecord& rec) {
  w.single(rec.X);
  w.single(rec.Y);
  w.single(rec.Z);
}

PropertyRecord readPropertyRecord(const std::string& bytes) {
  RecordReader r(bytes);
  return readPropertyRecord(r);
}

std::string writePropertyRecord(const PropertyRecord& rec) {
  RecordWriter w(kPropertyRecordLength);
  writePropertyRecord(w, rec);
  return w.bytes();
}

PubDataRecord readPubDataRecord(const std::string& bytes) {
  RecordReader r(bytes);
  return readPubDataRecord(r);
}

std::string writePubDataRecord(const PubDataRecord& rec) {
  RecordWriter w(kPubDataRecordLength);
  writePubDataRecord(w, rec);
  return w.bytes();
}

BaseDataRecord readBaseDataRecord(const std::string& bytes) {
  RecordReader r(bytes);
  return readBaseDataRecord(r);
}

std::string writeBaseDataRecord(const BaseDataRecord& rec) {
  RecordWriter w(kBaseDataRecordLength);
  writeBaseDataRecord(w, rec);
  return w.bytes();
}

bool isBlankRecord(const std::string& bytes, int nameOffset, int nameWidth) {
  for (int i = nameOffset; i < nameOffset + nameWidth; ++i) {
    if (static_cast<size_t>(i) < bytes.size() && bytes[static_cast<size_t>(i)] != '\0') return false;
  }
  return true;
}

bool isSound(const PropertyRecord& rec) {
  return finite3(rec.Density) && finite3(rec.SpecificHeat) && finite3(rec.Conductivity) && finite3(rec.Viscosity) &&
         finite3(rec.LatentHeat) && finite3(rec.VapourDensity) && finite3(rec.Temperature);
}

bool isSound(const PubDataRecord& rec) { return allFinite(rec.TMin, rec.TMax, rec.CMin, rec.CMax); }

bool isSound(const BaseDataRecord& rec) {
  return allFinite(rec.MolWeight, rec.TFreeze, rec.TBoil, rec.Tc, rec.Pc, rec.Vc, rec.Zc, rec.Omega, rec.Dipole,
                   rec.CpA, rec.CpB, rec.CpC, rec.CpD, rec.VpA, rec.VpB, rec.VpC, rec.VpD, rec.VpTMin, rec.VpTMax,
                   rec.LiqDensity, rec.LiqDensityT, rec.VisA, rec.VisB, rec.VisC, rec.VisD, rec.VisTMin,
                   rec.VisTMax, rec.VisRef, rec.VisRefT);
}

}  // namespace vx

#pragma once
// The company that issues the calculation sheets: "Coinfor.dat", one
// 290-byte record of five blank-padded GBK text fields.
#include <filesystem>
#include <optional>
#include <string>

namespace vx {

inline constexpr const char* kCompanyFile = "Coinfor.dat";
inline constexpr int kCompanyRecordLength = 290;
inline constexpr int kCompanyNameWidth = 100;  // offset 0
inline constexpr int kAddressWidth = 100;      // offset 100
inline constexpr int kTelephoneWidth = 30;     // offset 200
inline constexpr int kFaxWidth = 30;           // offset 230
inline constexpr int kPostcodeWidth = 30;      // offset 260

// The fields as stored, padding kept (the window shows them so). Bytes past
// the end of the file read as zero and end a field, so a missing or short
// file gives empty fields.
struct CompanyRecord {
  std::string CompanyName;
  std::string Address;
  std::string Telephone;
  std::string Fax;
  std::string Postcode;
};

CompanyRecord readCompanyRecord(const std::string& bytes);
// Each field cut (on a character boundary) or padded with blanks to its width.
std::string writeCompanyRecord(const CompanyRecord& r);

// Record 1 of the file of `dir`. A missing file reads as an empty record;
// nullopt when the file exists but cannot be read or is oversized.
std::optional<CompanyRecord> ReadCompanyRecord(const std::filesystem::path& dir);

// Writes the file as exactly one record; false when it cannot be written.
bool WriteCompanyRecord(const std::filesystem::path& dir, const CompanyRecord& r);

// The texts the calculation sheet and the Word export print: kind 0 the
// company name; kind 1 "地址: <address>   电话: <telephone>   传真: <fax>".
// Each field is taken without its padding. A missing or unreadable file
// gives empty fields; any other kind gives an empty text.
std::string CompanyText(const std::filesystem::path& dir, int kind);

}  // namespace vx

#pragma once
// Changes to the plate model catalogue "Veloxa.dat" made by the model editor
// and the password lock. Every change reads the whole file, makes the new
// file in memory and replaces the old one with the atomic-write helper, so a
// failure leaves the catalogue as it was. Record 1 (the header with the
// password) is only ever copied, never rebuilt.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "exchanger/catalogue.h"

namespace vx {

enum class CatalogueEdit {
  Done,
  Missing,      // no catalogue file: nothing is created
  Unreadable,   // unreadable or oversized
  NotFound,     // no model of that name
  WriteFailed,  // the new file could not be written; the old one stays
};

// The refusal shown when a settings file could not be replaced.
std::string WriteFailureText(const std::string& file);

// Where a model of this 10-character name stands: its record number and
// whether it exists. A new model takes the first end marker or the position
// after the last record.
struct ModelSlot {
  int record = 2;
  bool exists = false;
};

// The slot of `key` (a stored 10-character name field), searching records
// 2, 3, ... up to the first end marker or the end of the file.
std::optional<ModelSlot> FindModelSlot(const std::filesystem::path& dir, const std::string& key,
                                       CatalogueEdit* status = nullptr);

// Writes `model` at its slot (model.ModelName is the key). A new model is
// followed by an end marker: the record that stood at the slot is first
// copied one position on.
CatalogueEdit SaveModelRecord(const std::filesystem::path& dir, const PlateModel& model);

// Removes the first model whose stored name equals `key` (records 2 on, to
// the end of the file) and compacts the file: record 1, the models before the
// first end marker, and one end marker. A name that is not found changes
// nothing.
CatalogueEdit DeleteModelRecord(const std::filesystem::path& dir, const std::string& key);

// The data-edit password of record 1; nullopt with the reason when the file
// is missing, cannot be read or is cut before the end of the password.
std::optional<float> CataloguePassword(const std::filesystem::path& dir, CatalogueEdit* status = nullptr);

// Typed password texts as the lock compares them: the number of the text in
// single precision.
float PasswordNumber(const std::string& text);

// Rewrites the password of record 1, leaving its other bytes and every model
// record as they are. A catalogue shorter than one record is refused as
// unreadable rather than grown around a header that is not there.
CatalogueEdit StorePassword(const std::filesystem::path& dir, float password);

}  // namespace vx

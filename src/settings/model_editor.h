#pragma once
// The plate model editor `newproduct` "数据管理": the list of the catalogue's
// models, one model's fields, and the commands that save, delete and explain
// them. Reached only through the password window.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/window_model.h"
#include "exchanger/catalogue.h"

namespace vx {

class ModelEditor : public WindowModel {
 public:
  static constexpr const char* kName = "newproduct";
  // The explanation picture, an image file of the installation.
  static constexpr const char* kPictureFile = "comment.dat";
  static constexpr int kCorrelationRows = 7;

  explicit ModelEditor(AppContext& context);

  // Fills `DataList` and selects the model whose stored name field is that
  // of `selectName` (the first model when it is blank); selecting shows it.
  void ListModels(const std::string& selectName);
  // Shows the model of that stored name field; an unknown or empty name
  // shows an empty record.
  void ShowModel(const std::string& name);
  void SaveModel();    // Command2
  void DeleteModel();  // Command7
  // The column captions for a plate kind (`Phe_Tag`).
  void Relabel(int kind);
  void ShowPicture();  // Command8 and the correlation row captions

  // The stored name fields of the listed models, parallel to `DataList`.
  const std::vector<std::string>& listedNames() const { return names_; }

  Control* DataList = nullptr;
  Control* Phe_Tag = nullptr;
  Control* Picture1 = nullptr;
  std::array<Control*, 12> Text2{};  // 0 the name, 2 to 11 the fields; 1 unused
  std::array<std::array<Control*, kCorrelationRows>, 3> Corr{};  // Text3, Text4, Text5
  std::array<Control*, 2> Text6{}, Text7{};
  std::array<Control*, 2> LblPortCol{}, LblSecCol{};
  std::array<Control*, 3> LblCol{};

 private:
  // One numeric field of the window and the record field it edits.
  struct Field {
    Control* box = nullptr;
    std::string caption;      // as a refusal names it
    bool integer = false;
    std::string pattern;      // "" the Str form
    int rule = 0;             // 0 any finite value, 1 not zero, 2 above zero, 3 a count 1 to 32767
    int needsKind = -1;       // the rule applies only to this plate kind (-1 all; 12 kinds 1 and 2)
    std::function<double(const PlateModel&)> get;
    std::function<void(PlateModel&, double)> set;
    std::string shown;        // the text last shown
  };
  void addFields();
  std::string fieldText(const Field& f, const PlateModel& m) const;
  // The record the controls describe, or nullopt after a refusal.
  std::optional<PlateModel> modelFromControls();
  void refuse(const std::string& text);

  AppContext& ctx_;
  std::vector<Field> fields_;
  std::vector<std::string> names_;
  PlateModel shownModel_;
  std::string shownName_;
  short shownKind_ = 0;
};

}  // namespace vx

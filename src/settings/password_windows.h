#pragma once
// The data-edit password lock: the check window `PWData` before the plate
// model editor opens, and the change window `chpassword`. The password is a
// number kept in record 1 of the catalogue; the lock keeps nothing in memory.
#include "common/window_model.h"
#include "settings/catalogue_edit.h"

namespace vx {

// The installed password, and the text that follows message 528 while it
// is still the stored one.
inline constexpr float kDefaultPassword = 7139;
inline constexpr const char* kDefaultPasswordHint = "。默认密码：7139";

class PasswordWindow : public WindowModel {
 public:
  static constexpr const char* kName = "PWData";
  explicit PasswordWindow(AppContext& context);

  // "确定": opens the editor when the typed password is the stored one.
  void confirm();

  Control* Text1 = nullptr;

 private:
  AppContext& ctx_;
};

class ChangePasswordWindow : public WindowModel {
 public:
  static constexpr const char* kName = "chpassword";
  explicit ChangePasswordWindow(AppContext& context);

  // "确定": stores the new password when both texts agree.
  void confirm();

  Control* Text1New = nullptr;      // Text1(1)
  Control* Text1Confirm = nullptr;  // Text1(2)

 private:
  AppContext& ctx_;
};

// Shows the message for a catalogue that could not be used: 531 with "304"
// when it is missing or unreadable, a plain refusal when it could not be written.
void ShowCatalogueFailure(Host& host, CatalogueEdit status);

}  // namespace vx

#pragma once
// The outline-dimension window "外形尺寸": dimensions, weights and clamping
// dimensions as the person types them, and an outline picture taken from
// the clipboard.
#include <string>

#include "common/window_model.h"

namespace vx {

class Drawing : public WindowModel {
 public:
  static constexpr const char* kName = "drawing";
  static constexpr int kWidth = 9600, kHeight = 7200;  // twips
  explicit Drawing(AppContext& context);

  Control* lengtht = nullptr;
  Control* widtht = nullptr;
  Control* heightt = nullptr;
  Control* wt = nullptr;
  Control* gt = nullptr;
  Control* tiedmax = nullptr;
  Control* tiedmin = nullptr;
  Control* Picture1 = nullptr;  // text: the PNG file of the picture shown
  Control* Label1 = nullptr;    // "Not Data" until a picture covers it
  Control* Command1 = nullptr;  // "打印": does nothing
  Control* Command2 = nullptr;  // "退出": hides the window
  Control* Command3 = nullptr;  // "get picture"

  // Saves the clipboard picture through a save dialog as PNG and shows it.
  void getPicture();
  void hide();

 private:
  AppContext& ctx_;
};

}  // namespace vx

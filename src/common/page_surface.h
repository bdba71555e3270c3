#pragma once
// A printed page as the engine draws it: twips from the top left corner, y
// growing downward. The printer, the preview and the PDF writer paint it with
// Qt; the recording surface keeps it for the scripted front end.
#include <functional>
#include <string>
#include <vector>

namespace vx {

class PageSurface {
 public:
  virtual ~PageSurface() = default;

  void setFont(const std::string& family, float points, bool bold);
  void setFontSize(float points) { setFont(family_, points, bold_); }
  void setBold(bool bold) { setFont(family_, size_, bold); }
  void setPosition(int x, int y) {
    x_ = x;
    y_ = y;
  }
  int currentX() const { return x_; }
  int currentY() const { return y_; }
  // Draws the text at the current position. Staying on the line moves the
  // position behind the text; a new line moves it to the left edge of the
  // next text line.
  void print(const std::string& text, bool newLine = false);
  // A solid black box between two corners given in any order.
  void fillBox(int x1, int y1, int x2, int y2);
  // The width of a text in the current font, twips.
  virtual int textWidth(const std::string& text) = 0;
  // The height of one text line in the current font, twips.
  virtual int lineHeight() = 0;

  const std::string& family() const { return family_; }
  float size() const { return size_; }
  bool bold() const { return bold_; }

 protected:
  virtual void fontChanged() {}
  virtual void drawText(int x, int y, const std::string& text) = 0;
  virtual void drawBox(int left, int top, int right, int bottom) = 0;

 private:
  std::string family_ = "times new roman";
  float size_ = 10;
  bool bold_ = false;
  int x_ = 0, y_ = 0;
};

using PageDrawing = std::function<void(PageSurface&)>;

struct PageText {
  int x = 0, y = 0;
  std::string font;
  float size = 0;
  bool bold = false;
  std::string text;
};

struct PageBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct RecordedPage {
  std::vector<PageText> texts;
  std::vector<PageBox> boxes;
};

// Keeps what is drawn. Without a real font it measures a full-width (CJK)
// character as one em and any other character as half an em, and a line as
// 1.45 em, which is close to the CJK fonts the screen uses.
class RecordingSurface : public PageSurface {
 public:
  int textWidth(const std::string& text) override;
  int lineHeight() override;
  const RecordedPage& page() const { return page_; }

 protected:
  void drawText(int x, int y, const std::string& text) override;
  void drawBox(int left, int top, int right, int bottom) override;

 private:
  RecordedPage page_;
};

// Records a drawing on a recording surface.
RecordedPage RecordPage(const PageDrawing& draw);

}  // namespace vx

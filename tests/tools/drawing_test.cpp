// The outline-dimension window.
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "support/started_session.h"
#include "tools/drawing.h"

namespace vx {

TEST(DrawingWindow, KeepsItsTextsWhenHiddenAndSavesThePictureThroughADialog) {
  test::StartedSession s;
  ProduceResult(s.session.var(), s.session.main());
  Click(s.session.main().controls(), s.session.main().toolKey("KeyDim"));
  auto* d = s.session.existingAs<Drawing>(Drawing::kName);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->caption, "外形尺寸");
  EXPECT_EQ(d->Label1->text, "Not Data");
  SetText(*d->tiedmax, "900");
  Click(d->controls(), *d->Command1);  // 打印 does nothing
  Click(d->controls(), *d->Command2);
  EXPECT_FALSE(d->visible);
  Click(s.session.main().controls(), s.session.main().toolKey("KeyDim"));
  EXPECT_EQ(s.session.existingAs<Drawing>(Drawing::kName), d);
  EXPECT_EQ(d->tiedmax->text, "900");

  // An empty clipboard: said so, no dialog.
  Click(d->controls(), *d->Command3);
  EXPECT_EQ(s.lastText(), "剪贴板中没有图片。");
  // A picture: saved where the dialog says, ".png" added, then shown.
  s.host.setClipboardPicture("\x89PNG fake");
  s.host.addAnswer((s.data.dir() / "outline").string());
  Click(d->controls(), *d->Command3);
  const auto saved = s.data.file("outline.png");
  EXPECT_EQ(readFileBytes(saved).value_or(""), "\x89PNG fake");
  EXPECT_EQ(d->Picture1->text, saved.string());
  EXPECT_FALSE(d->Label1->visible);
  // A cancelled dialog writes nothing.
  s.host.addAnswer("cancel");
  Click(d->controls(), *d->Command3);
  EXPECT_EQ(s.host.events().back().rfind("save dialog", 0), 0u);
}

}  // namespace vx

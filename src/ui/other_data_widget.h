#pragma once
// The intermediate-data window on the screen.
#include <QWidget>

namespace vx {

class OtherData;
class QtHost;

class OtherDataWidget : public QWidget {
  Q_OBJECT
 public:
  OtherDataWidget(OtherData& model, QtHost& host, QWidget* parent = nullptr);

 private:
  // Grows the window when the notes need more lines than it has room for,
  // so that the notes never cover the grid.
  void fitNotes();
};

}  // namespace vx

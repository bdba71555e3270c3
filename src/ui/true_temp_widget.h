#pragma once
// The result window of the NTU method "NTU方式" on the screen: the outlet
// temperatures and the heat load at the nozzles of a schematic exchanger.
#include <QWidget>

namespace vx {

class QtHost;
class TrueTemp;

class TrueTempWidget : public QWidget {
  Q_OBJECT
 public:
  TrueTempWidget(TrueTemp& model, QtHost& host, QWidget* parent = nullptr);
};

}  // namespace vx

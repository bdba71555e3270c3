#pragma once
// The engineering tools on the screen: unit conversion, the heating heat
// index, the plate analysis charts and the corrugated plate geometry.
#include <QDialog>
#include <QWidget>

namespace vx {

class Construction;
class Muley;
class PlateAnalyse;
class QtHost;
class Session;
class Unit;

class UnitWidget : public QDialog {
  Q_OBJECT
 public:
  UnitWidget(Unit& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

class ConstructionWidget : public QWidget {
  Q_OBJECT
 public:
  ConstructionWidget(Construction& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

class MuleyWidget : public QDialog {
  Q_OBJECT
 public:
  MuleyWidget(Muley& model, Session& session, QtHost& host, QWidget* parent = nullptr);
};

class PlateAnalyseWidget : public QDialog {
  Q_OBJECT
 public:
  PlateAnalyseWidget(PlateAnalyse& model, Session& session, QtHost& host, QWidget* parent = nullptr);

 protected:
  bool event(QEvent* e) override;

 private:
  Session& session_;
  QtHost& host_;
};

}  // namespace vx

#pragma once
// The windows of the outputs on the screen: the print preview, the
// statistics list, the outline dimensions and the company information.
#include <QDialog>
#include <QWidget>

namespace vx {

class Session;
class QtHost;
class Preview;
class PheList;
class Drawing;
class FrmCoInfor;

class PreviewWidget : public QWidget {
  Q_OBJECT
 public:
  PreviewWidget(Preview& model, Session& session, QtHost& host);
};

class PheListWidget : public QWidget {
  Q_OBJECT
 public:
  PheListWidget(PheList& model, Session& session, QtHost& host);
};

class DrawingWidget : public QWidget {
  Q_OBJECT
 public:
  DrawingWidget(Drawing& model, Session& session, QtHost& host);
};

class CoInforDialog : public QDialog {
  Q_OBJECT
 public:
  CoInforDialog(FrmCoInfor& model, Session& session, QtHost& host);
};

}  // namespace vx

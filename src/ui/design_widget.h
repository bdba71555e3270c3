#pragma once
// The design window "设计计算" on the screen: the arrangement, the correction
// tabs, the structure grid with its option lists, the commands, the results
// and the candidates of the automatic design.
#include <QWidget>
#include <string>
#include <vector>

class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QGroupBox;

namespace vx {

class Binder;
class DesignWindow;
class QtHost;
class Session;

class DesignWidget : public QWidget {
  Q_OBJECT
 public:
  DesignWidget(DesignWindow& model, Session& session, QtHost& host, QWidget* parent = nullptr);

  // The height the window's view model asks for, in pixels.
  QSize sizeHint() const override;

 private:
  QWidget* buildArrangement(Binder& b);
  QWidget* buildTabs(Binder& b);
  QWidget* buildStructureGrid(Binder& b);
  QWidget* buildResults(Binder& b);
  QGroupBox* buildCandidates(Binder& b);

  // What the refresh derives from several controls.
  void refreshDerived();
  void placeGridButton();
  void placeOptionLists();
  void mergeStructureLabels();
  void fitCandidateColumns();
  void mergeCandidateCells();
  void alignCandidateCells();
  void followWindowHeight();
  void followProgress();

  DesignWindow& model_;
  QWidget* upper_ = nullptr;
  QTableWidget* pheGrid_ = nullptr;
  QPushButton* gridButton_ = nullptr;
  std::vector<QListWidget*> lists_;  // Defdata(0) to Defdata(12)
  QTableWidget* autoGrid_ = nullptr;
  QGroupBox* candidates_ = nullptr;
  QProgressBar* progress_ = nullptr;
  bool progressShown_ = false;
  int appliedHeight_ = 0;
  std::string mergedLabels_;
  std::string mergedCandidates_;
};

}  // namespace vx

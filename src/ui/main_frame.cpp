#include "ui/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/session.h"
#include "ui/keyboard_state.h"
#include "ui/qt_host.h"
#include "ui/translations.h"


namespace vx {

namespace {

// Toolbar pictures: one character on a tile, readable under any theme.
QIcon tileIcon(const QString& glyph, const QColor& color) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(color);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
  p.setPen(Qt::white);
  QFont f = p.font();
  f.setPixelSize(18);
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, glyph);
  return QIcon(pm);
}

struct KeyPicture {
  const char* key;
  const char* glyph;
  QColor color;
};

const KeyPicture kPictures[] = {
    {"KeyNew", "新", QColor(0x3a, 0x7b, 0xd5)},        {"KeyOpen", "开", QColor(0x3a, 0x7b, 0xd5)},
    {"KeySave", "存", QColor(0x3a, 0x7b, 0xd5)},       {"KeyPrint", "印", QColor(0x55, 0x55, 0x55)},
    {"KeyPreview", "览", QColor(0x55, 0x55, 0x55)},    {"KeyProperty", "物", QColor(0x2e, 0x8b, 0x57)},
    {"KeyCal", "算", QColor(0x2e, 0x8b, 0x57)},        {"KeyHeatIndex", "热", QColor(0xc0, 0x39, 0x2b)},
    {"KeyUnitConv", "单", QColor(0x2e, 0x8b, 0x57)},   {"KeyTool", "设", QColor(0x8e, 0x44, 0xad)},
    {"KeyCondition", "入", QColor(0xd3, 0x54, 0x00)},  {"KeyDesign", "计", QColor(0xd3, 0x54, 0x00)},
    {"KeyCustomer", "户", QColor(0x16, 0xa0, 0x85)},   {"KeyDim", "尺", QColor(0x16, 0xa0, 0x85)},
};

}  // namespace

MainFrame::MainFrame(Session& session, QtHost& host) : session_(session), host_(host), mdi_(new QMdiArea(this)) {
  setCentralWidget(mdi_);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // A window that closes hands the activation back to the one the person
  // came from (the NTU window to the design window that started it).
  mdi_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  host_.setMainWidget(this);
  host_.setMdiArea(mdi_);
  buildMenus();
  buildToolbar();
  buildStatusBar();
  resize(1200, 820);
  setWindowIcon(tileIcon("V", QColor(0x1f, 0x5f, 0xa8)));

  connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    if (!sub || !sub->widget() || activating_ || host_.quiet()) return;
    const std::string name = sub->widget()->objectName().toStdString();
    if (name == sentAwayFrom_) {
      // The rest of the event that activated this window (a mouse press
      // after its rule's message box) activates it again: the person stays
      // where the rule sent them.
      host_.showWindow(session_.activeWindow(), false);
      return;
    }
    // The rule may show a message box and send the person to another
    // window; the activations these cause are the rule's own.
    activating_ = true;
    session_.activated(name);
    activating_ = false;
    if (session_.activeWindow() != name) {
      sentAwayFrom_ = name;
      host_.showWindow(session_.activeWindow(), false);
      // Once that event is handled, the window sent to is on top (the
      // press may have raised the other one after this handler).
      QTimer::singleShot(0, this, [this, sentTo = session_.activeWindow()] {
        sentAwayFrom_.clear();
        if (session_.activeWindow() == sentTo) host_.showWindow(sentTo, false);
      });
    }
    host_.refreshAll();
  });
  // F1 opens the help at the topic of the window that has the focus.
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  f1->setContext(Qt::ApplicationShortcut);
  connect(f1, &QShortcut::activated, this, [this] {
    host_.showHelp(session_.activeWindow());
  });
  qApp->installEventFilter(this);
  host_.addRefresher(this, [this] { refresh(); });
  refresh();
}

// The frame must not be refreshed while its members are being destroyed.
MainFrame::~MainFrame() { host_.removeRefresher(this); }

void MainFrame::trigger(Control& control) {
  Click(session_.main().controls(), control);
  if (session_.ended()) {
    QApplication::exit(session_.exitStatus());
    return;
  }
  host_.refreshAll();
}

void MainFrame::buildMenus() {
  for (const auto& menu : session_.main().menus()) {
    QMenu* qmenu = menuBar()->addMenu(QString::fromStdString(menu.title->text).replace("(&", "(&"));
    for (Control* item : menu.items) {
      if (!item) {
        QAction* sep = qmenu->addSeparator();
        if (menu.title->name == "mnuWindow") windowSeparator_ = sep;
        continue;
      }
      QAction* action = qmenu->addAction(QString::fromStdString(item->text));
      if (!item->shortcut.empty()) action->setShortcut(QKeySequence(QString::fromStdString(item->shortcut)));
      if (item->name == "PutInTo") action->setCheckable(true);
      connect(action, &QAction::triggered, this, [this, item] { trigger(*item); });
      actions_[item] = action;
    }
    if (menu.title->name == "mnuWindow") {
      windowMenu_ = qmenu;
      connect(qmenu, &QMenu::aboutToShow, this, [this] { fillWindowMenu(); });
    }
  }
}

void MainFrame::fillWindowMenu() {
  // The open child windows follow the last separator.
  const auto all = windowMenu_->actions();
  bool after = false;
  for (QAction* a : all) {
    if (after) {
      windowMenu_->removeAction(a);
      a->deleteLater();
    }
    if (a == windowSeparator_) after = true;
  }
  int n = 1;
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    QAction* a = windowMenu_->addAction(QString("&%1 %2").arg(n++).arg(sub->windowTitle()));
    a->setCheckable(true);
    a->setChecked(sub == mdi_->activeSubWindow());
    connect(a, &QAction::triggered, this, [this, sub] {
      sub->showNormal();
      mdi_->setActiveSubWindow(sub);
    });
  }
}

void MainFrame::buildToolbar() {
  QToolBar* bar = addToolBar("tbToolBar");
  bar->setObjectName("tbToolBar");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  for (Control* key : session_.main().toolbar()) {
    if (!key) {
      bar->addSeparator();
      continue;
    }
    QIcon icon;
    for (const auto& p : kPictures)
      if (key->name == p.key) icon = tileIcon(QString::fromUtf8(p.glyph), p.color);
    QAction* action = bar->addAction(icon, QString());
    action->setObjectName(QString::fromStdString(key->name));
    action->setToolTip(QString::fromStdString(key->toolTip));
    connect(action, &QAction::triggered, this, [this, key] { trigger(*key); });
    actions_[key] = action;
  }
}

void MainFrame::buildStatusBar() {
  statusBar()->addWidget(new QLabel(this), 1);  // the text panel stays empty
  insertPanel_ = new QLabel("INS", this);
  numPanel_ = new QLabel("NUM", this);
  capsPanel_ = new QLabel("CAPS", this);
  datePanel_ = new QLabel(this);
  for (QLabel* panel : {insertPanel_, numPanel_, capsPanel_, datePanel_}) {
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setMinimumWidth(48);
    statusBar()->addPermanentWidget(panel);
  }
  // The keyboard-state and date panels follow the platform's state.
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, [this] { updateStatusBar(); });
  timer->start(500);
  updateStatusBar();
}

void MainFrame::updateStatusBar() {
  bool num = false, caps = false;
  queryLockKeys(caps, num);
  auto shade = [](QLabel* panel, bool on) { panel->setEnabled(on); };
  shade(insertPanel_, insertMode_);
  shade(numPanel_, num);
  shade(capsPanel_, caps);
  datePanel_->setText(ChineseShortDate(QDate::currentDate()));
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Insert) {
    insertMode_ = !insertMode_;
    updateStatusBar();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainFrame::refresh() {
  setWindowTitle(QString::fromStdString(session_.main().caption));
  for (auto& [control, action] : actions_) {
    action->setEnabled(control->enabled);
    action->setVisible(control->visible);
    if (action->isCheckable()) action->setChecked(control->checked);
  }
}

// The intermediate-data window keeps to the top right corner of the workspace.
void MainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  QTimer::singleShot(0, this, [this] { host_.placeTopRight("OtherData"); });
}

void MainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  QTimer::singleShot(0, this, [this] { host_.placeTopRight("OtherData"); });
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (session_.ended() || session_.requestExit()) {
    event->accept();
    QApplication::exit(session_.exitStatus());
  } else {
    event->ignore();
  }
}

}  // namespace vx

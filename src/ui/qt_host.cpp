#include "ui/qt_host.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>
#include <QBuffer>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>

#include "app/session.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "ui/help_viewer.h"
#include "ui/page_painter.h"
#include "ui/page_pdf.h"

namespace vx {

QtHost::QtHost(QWidget* mainWidget) : mainWidget_(mainWidget) {}

void QtHost::registerWidget(const std::string& name, bool child, WidgetFactory factory) {
  kinds_[name] = WidgetKind{child, std::move(factory)};
}

void QtHost::addRefresher(QObject* owner, std::function<void()> refresh) {
  refreshers_[owner] = std::move(refresh);
  connect(owner, &QObject::destroyed, this, [this, owner] { refreshers_.erase(owner); });
}

void QtHost::refreshAll() {
  // Copy first: a refresh may open or close windows.
  auto all = refreshers_;
  for (auto& [owner, refresh] : all)
    if (refreshers_.count(owner)) refresh();
}

QWidget* QtHost::dialogParent() const {
  // A box stands over the window it belongs to: the modal dialog that asks,
  // or the separate window (the preview) the person works in. Parented to
  // the main window, it would send that window behind the main window.
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  QWidget* active = QApplication::activeWindow();
  if (active && active->isVisible() && active != mainWidget_ && !qobject_cast<HelpViewer*>(active)) return active;
  return mainWidget_;
}

Answer QtHost::message(const std::string& text, Icon icon, Buttons buttons, int) {
  QMessageBox box(dialogParent());
  box.setWindowTitle(kAppTitle);
  // Carriage returns alone break the lines of a message, as on Windows.
  QString shown = QString::fromStdString(text);
  shown.replace("\r\n", "\n");
  shown.replace('\r', '\n');
  box.setText(shown);
  switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
  }
  switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  int r = box.exec();
  QApplication::restoreOverrideCursor();
  switch (r) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::YesNoCancel ? Answer::Cancel : (buttons == Buttons::YesNo ? Answer::No : Answer::Ok);
  }
}

std::optional<std::string> QtHost::input(const std::string& prompt, const std::string& title,
                                         const std::string& initial) {
  bool ok = false;
  QString text = QInputDialog::getText(dialogParent(), QString::fromStdString(title.empty() ? kAppTitle : title),
                                       QString::fromStdString(prompt), QLineEdit::Normal,
                                       QString::fromStdString(initial), &ok);
  if (!ok) return std::nullopt;
  return text.toStdString();
}

std::optional<std::string> QtHost::fileDialog(const FileDialogRequest& request) {
  QFileDialog dialog(dialogParent(), QString::fromStdString(request.title), QString::fromStdString(request.folder),
                     QString::fromStdString(request.filter));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The suffix is added before the overwrite prompt looks for the file.
  if (!request.defaultSuffix.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
  if (!request.defaultName.empty()) dialog.selectFile(QString::fromStdString(request.defaultName));
  // Wide enough that sizes, types and dates show whole.
  dialog.resize(std::max(dialog.width(), 900), std::max(dialog.height(), 520));
  if (auto* tree = dialog.findChild<QTreeView*>()) {
    QHeaderView* header = tree->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  QString path = dialog.selectedFiles().first();
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

void QtHost::busy(bool on) {
  if (on) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}

void QtHost::progress(int maximum, int value, bool shown) {
  // The window that runs a long command shows its own progress bar; let it
  // paint, but not for every step of a long search: repainting every window
  // would cost more than the search itself.
  const bool ends = !shown || value == 0 || value >= maximum;
  if (!ends && progressClock_.isValid() && progressClock_.elapsed() < 50) return;
  progressClock_.restart();
  refreshAll();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtHost::showWindow(const std::string& name, bool modal) {
  auto existing = open_.find(name);
  if (existing != open_.end() && existing->second) {
    QWidget* w = existing->second;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
      sub->showNormal();
      sub->raise();
      mdiArea_->setActiveSubWindow(sub);
      // The focus goes into the window, also when the main window gets it
      // back only later (after a message box): it returns where it was set.
      QWidget* target = w->focusWidget();
      if (!target) {
        target = w->nextInFocusChain();
        while (target && target != w && (!w->isAncestorOf(target) || !target->isEnabled() ||
                                         !(target->focusPolicy() & Qt::TabFocus)))
          target = target->nextInFocusChain();
      }
      if (target && target != w) target->setFocus(Qt::OtherFocusReason);
    } else {
      w->show();
      w->raise();
      w->activateWindow();
    }
    return;
  }
  auto kind = kinds_.find(name);
  if (kind == kinds_.end() || !session_) return;
  WindowModel* model = session_->existing(name);
  if (!model) return;
  QWidget* widget = kind->second.factory(*session_, *model);
  if (!widget) return;
  open_[name] = widget;
  if (kind->second.child && mdiArea_) {
    QMdiSubWindow* sub = mdiArea_->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(mainWidget_ ? mainWidget_->windowIcon() : QIcon());
    sub->adjustSize();
    sub->move(0, 0);  // windows open at the top left unless placed otherwise
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
  } else {
    widget->setAttribute(Qt::WA_DeleteOnClose);
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (modal && dialog) {
      dialog->exec();
    } else {
      widget->show();
    }
  }
}

void QtHost::closeWindow(const std::string& name) {
  auto it = open_.find(name);
  if (it == open_.end()) return;
  QPointer<QWidget> w = it->second;
  open_.erase(it);
  if (!w) return;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->close();
  else w->close();
}

void QtHost::placeTopRight(const std::string& name) {
  if (!mdiArea_) return;
  auto it = open_.find(name);
  if (it == open_.end() || !it->second) {
    // The person closed the window: it comes back where it belongs, and the
    // window the person works in stays the active one.
    WindowModel* model = session_ ? session_->window(name) : nullptr;
    if (!model) return;
    model->visible = true;
    QMdiSubWindow* previous = mdiArea_->activeSubWindow();
    quiet_ = true;
    showWindow(name, false);
    if (previous) mdiArea_->setActiveSubWindow(previous);
    quiet_ = false;
    it = open_.find(name);
    if (it == open_.end() || !it->second) return;
  }
  if (auto* sub = qobject_cast<QMdiSubWindow*>(it->second->parentWidget()))
    sub->move(mdiArea_->viewport()->width() - sub->width(), 0);
}

void QtHost::arrangeCascade() {
  if (mdiArea_) mdiArea_->cascadeSubWindows();
}

std::optional<bool> QtHost::hasActiveChild() {
  if (!mdiArea_) return std::nullopt;
  // The current child stays current while a separate window has the
  // activation, and the workspace sends no new activation when it returns.
  const QMdiSubWindow* sub = mdiArea_->currentSubWindow();
  return sub && sub->isVisible();
}

bool QtHost::startProgram(const std::string& path) { return QProcess::startDetached(QString::fromStdString(path), {}); }

void QtHost::showHelp(const std::string& topic) {
  if (!helpViewer_) helpViewer_ = new HelpViewer(helpFile_, mainWidget_);
  static_cast<HelpViewer*>(helpViewer_.data())->showTopic(QString::fromStdString(topic));
}

void QtHost::showHelpIndex() {
  if (!helpViewer_) helpViewer_ = new HelpViewer(helpFile_, mainWidget_);
  static_cast<HelpViewer*>(helpViewer_.data())->showSearch();
}

Host::PrintResult QtHost::printPage(const PageDrawing& draw) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return PrintResult::NoPrinter;
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setFullPage(true);
  QPainter painter;
  if (!painter.begin(&printer)) return PrintResult::Failed;
  MapTwips(painter, printer);
  PainterSurface surface(painter);
  draw(surface);
  return painter.end() ? PrintResult::Printed : PrintResult::Failed;
}

bool QtHost::writePdf(const std::string& path, const PageDrawing& draw) { return WritePagePdf(path, draw); }

bool QtHost::openDocument(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtHost::clipboardHasPicture() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard && !clipboard->image().isNull();
}

bool QtHost::saveClipboardPicture(const std::string& path) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  const QImage image = clipboard->image();
  if (image.isNull()) return false;
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  return image.save(&buffer, "PNG") && writeFileAtomic(path, buffer.data().toStdString());
}

std::string QtHost::setting(const std::string& key) {
  QSettings store(QSettings::UserScope, "Veloxa", "Veloxa");
  return store.value(QString::fromStdString(key)).toString().toStdString();
}

bool QtHost::setSetting(const std::string& key, const std::string& value) {
  QSettings store(QSettings::UserScope, "Veloxa", "Veloxa");
  store.setValue(QString::fromStdString(key), QString::fromStdString(value));
  store.sync();
  return store.status() == QSettings::NoError;
}

}  // namespace vx

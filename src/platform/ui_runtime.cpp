#include "platform/ui_runtime.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>
#include <utility>

namespace qm {
namespace {
Pointer g_pointer = Pointer::Default;
ShellOpener g_shellOpener;

Qt::CursorShape ShapeOf(Pointer p) {
  switch (p) {
    case Pointer::Hourglass: return Qt::WaitCursor;
    case Pointer::NoDrop: return Qt::ForbiddenCursor;
    case Pointer::ArrowHourglass: return Qt::BusyCursor;
    case Pointer::SizeAll: return Qt::SizeAllCursor;
    case Pointer::Default: break;
  }
  return Qt::ArrowCursor;
}
}  // namespace

void DoEvents() { QCoreApplication::processEvents(); }

void SetScreenPointer(Pointer p) {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (p == Pointer::Default) {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  } else if (QGuiApplication::overrideCursor()) {
    QGuiApplication::changeOverrideCursor(QCursor(ShapeOf(p)));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(ShapeOf(p)));
  }
  g_pointer = p;
}

Pointer ScreenPointer() { return g_pointer; }

ShellOpener SetShellOpener(ShellOpener opener) { return std::exchange(g_shellOpener, std::move(opener)); }

int ShellOpen(const std::string& path) {
  if (g_shellOpener) return g_shellOpener(path);
  const QString file = QString::fromStdString(path);
  if (!QFileInfo::exists(file)) return 2;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file)) ? 42 : 31;
}

bool StartProgram(const std::string& path) {
  if (path.empty()) return false;
  return QProcess::startDetached(QString::fromStdString(path), {});
}

}  // namespace qm

// Loaded into the real program (LD_PRELOAD) by the exit test: once the main
// window shows, it puts up a window of its own that outlives the main one, then
// closes the main window as its close box would, and says so on stderr.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

void WatchForMainWindow() {
  auto* poll = new QTimer(qApp);
  poll->setInterval(20);
  QObject::connect(poll, &QTimer::timeout, poll, [poll] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() != "frmMain" || !w->isVisible()) continue;
      poll->stop();
      auto* other = new QWidget;
      other->setWindowTitle("other");
      other->show();
      w->close();
      std::fprintf(stderr, "main window closed\n");
      std::fflush(stderr);
      return;
    }
  });
  poll->start();
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForMainWindow)

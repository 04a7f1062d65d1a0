#include <QApplication>

#include "app/startup.h"
#include "browser/frmMain.h"
#include "core/modquillmont.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillmont");
  QApplication::setOrganizationName("Dravenholt");
  const int early = Main();
  if (early >= 0) return early;
  // The program ends when the main window is unloaded. Waiting for the last
  // window to close instead would keep the process alive for as long as any
  // other window stays up after the main one.
  if (!frmMain::IsLoaded()) return 0;
  QObject::connect(&frmMain::Get(), &QObject::destroyed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  return app.exec();
}

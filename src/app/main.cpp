#include <QApplication>

#include "app/startup.h"
#include "core/modquillmont.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillmont");
  QApplication::setOrganizationName("Dravenholt");
  const int early = Main();
  if (early >= 0) return early;
  return app.exec();
}

#pragma once
// The notice shown once, on the main window's first activation after installation:
// what the program does at start-up and where photos are imported.
#include <QDialog>

#include "platform/forms.h"

class QLabel;
class QShowEvent;

class frmFirstTime : public qm::Form<frmFirstTime, QDialog> {
public:
  static constexpr const char* FormName = "frmFirstTime";

  frmFirstTime();

  QLabel* lblProductName;
  QLabel* lblProductShadow;
  QLabel* lblHeading;
  QLabel* lblNote;
  QLabel* lblNote1;
  QLabel* lblNote3;

protected:
  void showEvent(QShowEvent* e) override;
};

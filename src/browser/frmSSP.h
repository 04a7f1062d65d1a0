#pragma once
// The slide show's parameters: the delay between slides and five options. Unloaded
// after OK and after Cancel, so every opening starts from the design values.
#include <QDialog>
#include <array>

#include "platform/forms.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

class frmSSP : public qm::Form<frmSSP, QDialog> {
public:
  static constexpr const char* FormName = "frmSSP";

  frmSSP();

  QLabel* Label1 = nullptr;
  std::array<QLabel*, 2> Label2{};
  QLineEdit* txtSlideShowInterval = nullptr;
  // 0 full screen, 1 only selected, 2 start with current, 3 music, 4 clips
  std::array<QCheckBox*, 5> chkSlideshow{};
  QPushButton* cmdOkay = nullptr;
  QPushButton* cmdCancel = nullptr;

  void cmdOkay_Click();
  void cmdCancel_Click();

protected:
  void showEvent(QShowEvent* e) override;

private:
  bool IsSet(int i) const;
};

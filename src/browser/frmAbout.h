#pragma once
// The About box: the program's name and version, and a button that starts the
// system information program named in the registry places other programs keep.
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "platform/forms.h"

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QShowEvent;
class ImageBox;

class frmAbout : public qm::Form<frmAbout, QDialog> {
public:
  static constexpr const char* FormName = "frmAbout";

  frmAbout();

  void Form_Load() override;
  void cmdOK_Click();
  void cmdSysInfo_Click();

  void StartSysInfo();
  static bool GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                          std::string& KeyVal);

  ImageBox* picIcon;
  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblDescription;
  QLabel* lblDisclaimer;
  std::array<QFrame*, 2> Line1{};
  QPushButton* cmdOK;
  QPushButton* cmdSysInfo;

protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
};

#pragma once
// The group picker: the target group of a copy or a move of the selected photos.
// Its caption ("Copy photo(s) to ..." or "Move photo(s) to ...") says which.
#include <QDialog>
#include <cstdint>

#include "platform/forms.h"

class QListWidget;
class QPushButton;
class QShowEvent;

class frmGroups : public qm::Form<frmGroups, QDialog> {
public:
  static constexpr const char* FormName = "frmGroups";

  frmGroups();

  QListWidget* lstGroups = nullptr;
  QPushButton* cmdNewGroup = nullptr;

  std::int16_t NewGroupMode = 1;  // 1 copy, 2 move: what a new group receives
  bool FillingGroups = false;

  void SetMode(long CopyMoveMode);
  void Form_Load() override;
  void Form_Activate();
  void lstGroups_MouseUp(int Button, int Shift, float X, float Y);
  void lstGroups_KeyPress(int KeyAscii);
  void cmdNewGroup_Click();

protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
};

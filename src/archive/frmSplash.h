#pragma once
// The start-up window: product name and version over the splash picture, the
// archive check's progress bar and a button that skips the rest of the check. It
// also carries the hidden file list through which the check walks its folders.
#include <QPixmap>
#include <QWidget>

#include "platform/file_list.h"
#include "platform/forms.h"

class QFrame;
class QLabel;
class QPushButton;
class QPaintEvent;

class frmSplash : public qm::Form<frmSplash, QWidget> {
public:
  static constexpr const char* FormName = "frmSplash";

  frmSplash();

  void Form_Load() override;
  void cmdByPassAutoCheck_Click();

  // "Version <major>.<minor>.<revision>".
  static QString VersionText();

  QPushButton* cmdByPassAutoCheck;
  qm::FileList File1;
  QWidget* pctProgress;
  QFrame* shpProgress;
  QLabel* lblProductName;
  QLabel* Label1;
  QLabel* lblVersion;
  QLabel* lblPlatform;
  QFrame* Shape1;
  QFrame* Shape2;

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  QPixmap background_;
};

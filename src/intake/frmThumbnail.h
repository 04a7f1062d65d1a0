#pragma once
// The thumbnail builder window: makes the thumbnail of each photo of the list it is
// handed, showing name, size and picture, and unloads itself when done. Closing it
// stops the run after the item in hand.
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <string>
#include <vector>

#include "core/thumbnail_budget.h"
#include "intake/thumbnail_widgets.h"
#include "platform/forms.h"

class QShowEvent;

class frmThumbnail : public qm::Form<frmThumbnail, QDialog> {
public:
  static constexpr const char* FormName = "frmThumbnail";
  // How long a clip may take to show its first frame.
  static constexpr int kClipTimeoutMs = 5000;

  frmThumbnail();

  // ML is 1-based; element 0 is not used. Entries are photo names or paths whose
  // last component is the photo name.
  void SetMissingList(const std::vector<std::string>& ML);
  void CreateThumbnails(const std::vector<std::string>& MissingList);
  // Sets the bar to done / total of its full length, only when 0 <= done <= total.
  void UpdateThumbnailProgress(float done, int total);

  void Form_Activate();
  void Form_Unload(bool& cancel) override;

  bool ThumbnailBusy = false;
  // What the run's decodes may hold at once: this machine's budget, or a test's.
  std::int64_t DecodeBudget = ThumbnailDecodeBudget();

  QLabel* Label1_0;
  QLabel* lbFilename;
  QLabel* lbPhotoSize[2];
  ThumbPictureBox* imgSize;
  ThumbShape* Shape1;
  // The picture of the item in hand as drawn from (fitted to its box).
  QImage pctSize;
  ThumbShape* pctProgress;
  ThumbShape* shpProgress;

protected:
  void showEvent(QShowEvent* e) override;

private:
  std::vector<std::string> missingList_;
};

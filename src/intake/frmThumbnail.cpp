#include "intake/frmThumbnail.h"

#include <QPointer>
#include <QShowEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "core/errorlog.h"
#include "core/infofile.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "core/thumbnail_maker.h"
#include "core/thumbnail_queue.h"
#include "media/video_frame.h"
#include "platform/ui_runtime.h"
#include "platform/window_layout.h"

namespace {

using qm::TwipsRect;

struct Item {
  std::string name;   // photo name: names the thumbnail
  std::string photo;  // resolved photo path
  bool video = false;
};

// Entries resolved between two yields while the list is read.
constexpr int kResolveBatch = 64;

}  // namespace

frmThumbnail::frmThumbnail() {
  qm::SetUpFixedDialog(*this, "Create Thumbnails", 4470, 2460);
  qm::CentreWindow(*this);

  // Shapes first, so the boxes lie over them.
  Shape1 = new ThumbShape(this, Qt::blue);
  Shape1->setObjectName("Shape1");
  Shape1->setGeometry(TwipsRect(2640, 180, 1635, 1635));
  shpProgress = new ThumbShape(this, Qt::black);
  shpProgress->setObjectName("shpProgress");
  shpProgress->setGeometry(TwipsRect(180, 2040, 4095, 195));
  pctProgress = new ThumbShape(this, Qt::transparent, QColor(0x80, 0x80, 0x80));
  pctProgress->setObjectName("pctProgress");
  pctProgress->setGeometry(TwipsRect(180, 2040, 75, 195));

  Label1_0 = new QLabel("Filename", this);
  Label1_0->setObjectName("Label1_0");
  QFont bold = Label1_0->font();
  bold.setBold(true);
  Label1_0->setFont(bold);
  Label1_0->setGeometry(TwipsRect(180, 180, 2340, 255));

  lbFilename = new QLabel(this);
  lbFilename->setObjectName("lbFilename");
  lbFilename->setWordWrap(true);
  lbFilename->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lbFilename->setGeometry(TwipsRect(180, 480, 2340, 840));

  for (int i = 0; i < 2; ++i) {
    lbPhotoSize[i] = new QLabel(this);
    lbPhotoSize[i]->setObjectName(QString("lbPhotoSize_%1").arg(i));
    lbPhotoSize[i]->setGeometry(TwipsRect(180, 1380 + 270 * i, 2340, 255));
  }

  imgSize = new ThumbPictureBox(this);
  imgSize->setObjectName("imgSize");
  imgSize->setGeometry(TwipsRect(2700, 240, 1515, 1515));
}

void frmThumbnail::SetMissingList(const std::vector<std::string>& ML) { missingList_ = ML; }

void frmThumbnail::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // The run starts once the window is up, inside the modal loop.
  QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void frmThumbnail::Form_Activate() {
  setCursor(Qt::ArrowCursor);
  CreateThumbnails(missingList_);
}

void frmThumbnail::Form_Unload(bool& cancel) {
  // The window goes at once; a run in progress sees the flag, finishes the item in
  // hand and ends without touching the window again.
  (void)cancel;
  setCursor(Qt::WaitCursor);
  StopThumbnails = true;
}

void frmThumbnail::UpdateThumbnailProgress(float done, int total) {
  if (!(done >= 0 && done <= float(total)) || total <= 0) return;
  pctProgress->resize(int(done / float(total) * float(shpProgress->width()) + 0.5f), pctProgress->height());
  qm::DoEvents();
}

void frmThumbnail::CreateThumbnails(const std::vector<std::string>& MissingList) {
  if (ThumbnailBusy) return;
  ThumbnailBusy = true;
  StopThumbnails = false;
  // Closing the window destroys it while the run goes on, so the run keeps its own
  // copy of the list and reaches the window only through a guarded pointer.
  const std::vector<std::string> list = MissingList;
  QPointer<frmThumbnail> self(this);
  const QColor background = palette().color(QPalette::Window);
  const std::int64_t budget = DecodeBudget;
  setCursor(Qt::BusyCursor);
  qm::DoEvents();

  const int n = std::max(0, int(list.size()) - 1);
  {
    ThumbnailQueue queue(std::max(1, QThread::idealThreadCount()), budget);
    queue.SetNext(1);
    std::vector<Item> items(size_t(n) + 1);
    // Resolving reads information files and may log, so it stays on this thread;
    // the workers start on the first batch and take the rest as it comes.
    for (int i = 1; i <= n; ++i) {
      Item& it = items[size_t(i)];
      it.name = ThumbnailPhotoName(list[size_t(i)]);
      it.photo = GetPhotoLink(it.name + ".info");
      it.video = IsVideoPath(it.photo);
      if (!it.video) queue.Submit(i, it.photo);
      if (i % kResolveBatch == 0 || i == n) {
        queue.Start();
        qm::DoEvents();
      }
    }

    for (int i = 1; i <= n; ++i) {
      // The first item is in hand from the start, so a close while the list is
      // read still finishes it.
      if (i > 1 && StopThumbnails) break;
      queue.SetNext(i);
      const Item& it = items[size_t(i)];
      QImage thumb;
      if (it.video) {
        // The captions keep what the last picture put there.
        if (self) {
          imgSize->resize(VideoThumbnailSize());
          imgSize->SetPicture(QImage());
        }
        qm::DoEvents();
        thumb = DrawThumbnail(GrabFirstFrame(it.photo, kClipTimeoutMs, budget), VideoThumbnailSize(), background);
        if (self) imgSize->SetPicture(thumb);
      } else {
        // A close meanwhile ends the run after this item, which is still saved.
        while (!queue.WaitFor(i, std::chrono::milliseconds(2))) {
          qm::DoEvents();
          if (StopThumbnails) queue.Stop();
        }
        const ThumbnailPicture pic = queue.Take(i);
        if (pic.tooLarge)
          LogError("CreateThumbnails", "The picture is too large to decode (" + std::to_string(pic.size.width()) +
                                           " x " + std::to_string(pic.size.height()) + " pixels, " + it.photo + ")");
        thumb = DrawThumbnail(pic.picture, pic.box, background);
        if (self) {
          pctSize = pic.picture;
          lbFilename->setText(QString::fromStdString(list[size_t(i)]));
          lbPhotoSize[0]->setText(QString("(width=%1)").arg(pic.size.width()));
          lbPhotoSize[1]->setText(QString("(height=%1)").arg(pic.size.height()));
          imgSize->resize(pic.box);
          imgSize->SetPicture(thumb);
        }
      }
      qm::DoEvents();
      SaveThumbnailFile(thumb, ThumbnailsFolder + it.name, it.photo);
      if (self) UpdateThumbnailProgress(float(i) / float(n), 1);
      if (StopThumbnails) break;
      qm::DoEvents();
    }
    queue.Stop();
  }

  if (!self) return;
  ThumbnailBusy = false;
  unsetCursor();
  Unload();
}

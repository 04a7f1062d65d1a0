#include "browser/frmSSP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "browser/frmMain.h"
#include "core/slideshow_rules.h"
#include "platform/fonts.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"
#include "platform/window_layout.h"

frmSSP::frmSSP() {
  qm::SetUpFixedDialog(*this, "Start Slideshow", 4185, 3345);
  const QFont font = qm::UiFont("MS Sans Serif", 8.25);
  Label1 = qm::FixedTextLabel(this, "Label1", "Slide Show Parameters", qm::UiFont("MS Sans Serif", 9.75, true),
                              QRect(12, 8, 255, 20));
  Label2[0] = qm::FixedTextLabel(this, "Label2_0", "Delay between slides", font, QRect(12, 38, 118, 16));
  txtSlideShowInterval = new QLineEdit(QStringLiteral("5"), this);
  txtSlideShowInterval->setObjectName("txtSlideShowInterval");
  txtSlideShowInterval->setFont(font);
  txtSlideShowInterval->setGeometry(134, 34, 44, 22);
  Label2[1] = qm::FixedTextLabel(this, "Label2_1", "seconds", font, QRect(184, 38, 70, 16));

  const char* captions[] = {"Switch to Fullscreen after starting", "Show only selected photograhs",
                            "Start with current photograph", "Play album background music",
                            "Play audio clips for each photo"};
  for (int i = 0; i < 5; ++i) {
    auto* c = new QCheckBox(QString::fromUtf8(captions[i]), this);
    c->setObjectName(QStringLiteral("chkSlideshow_%1").arg(i));
    c->setFont(font);
    c->setGeometry(16, 66 + 22 * i, 250, 20);
    c->setChecked(i != 1);
    chkSlideshow[std::size_t(i)] = c;
  }
  // Nothing offers a show of the selected photos: the selection is cleared before
  // the dialog opens.
  chkSlideshow[1]->setEnabled(false);

  cmdOkay = new QPushButton(QStringLiteral("O&K"), this);
  cmdOkay->setObjectName("cmdOkay");
  cmdOkay->setGeometry(52, 186, 80, 25);
  cmdOkay->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  cmdCancel->setObjectName("cmdCancel");
  cmdCancel->setGeometry(146, 186, 80, 25);
  connect(cmdOkay, &QPushButton::clicked, this, [this] { cmdOkay_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  txtSlideShowInterval->setFocus();
}

void frmSSP::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  qm::CentreOnOpener(*this);
}

bool frmSSP::IsSet(int i) const { return chkSlideshow[std::size_t(i)]->checkState() == Qt::Checked; }

void frmSSP::cmdOkay_Click() {
  const std::optional<int> interval = slideshow::SlideShowInterval(txtSlideShowInterval->text().toStdString());
  if (!interval) {
    qm::MsgBox("Invalid entry. Use a value between 1 and 60 seconds.", qm::MsgButtons::OK);
    return;
  }
  hide();
  qm::DoEvents();
  frmMain::SlideShowOptions o;
  o.IntervalMs = *interval;
  o.FullScreen = IsSet(0);
  o.OnlySelected = IsSet(1);
  o.StartWithCurrent = IsSet(2);
  o.Music = IsSet(3);
  o.Clips = IsSet(4);
  frmMain::Get().StartSlideShow(o);
  Unload();
}

void frmSSP::cmdCancel_Click() { Unload(); }

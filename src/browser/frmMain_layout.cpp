// The main window's frame: background panel, viewing area, status bar, face
// holders of the picture buttons and the window's timers.
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "browser/frmMain.h"
#include "core/viewer_rules.h"
#include "platform/fonts.h"

namespace {

// The faces live in hidden labels, as event labels since the large ones are
// elements of the group button array.
qm::EventLabel* FaceHolder(QWidget* parent, const char* name, const char* art) {
  auto* l = new qm::EventLabel(parent);
  l->setObjectName(name);
  l->setPixmap(QPixmap(QString(":/art/") + art));
  l->setGeometry(-124, 0, l->pixmap().width(), l->pixmap().height());
  l->hide();
  return l;
}

QLabel* StatusLabel(QWidget* parent, const char* name) {
  QLabel* l = frmMain::MakeLabel(parent, name, QStringLiteral("  "), QRect(0, 0, 0, 18),
                                 qm::UiFont("Tahoma", 8.25, true), "#d6dde6");
  l->setTextFormat(Qt::PlainText);
  return l;
}

// A row of the status bar: a panel of the given place whose layout lines its
// controls up from the left, spaced as given.
QHBoxLayout* StatusBarRow(QWidget* parent, const char* name, const QRect& where, int spacing) {
  auto* row = new QWidget(parent);
  row->setObjectName(name);
  row->setGeometry(where);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(spacing);
  return layout;
}

// The pause and stop faces of the status bar buttons, drawn rather than shipped.
QIcon GlyphIcon(bool pause) {
  QPixmap pm(12, 12);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 44, 52));
  if (pause) {
    p.drawRect(2, 1, 3, 10);
    p.drawRect(7, 1, 3, 10);
  } else {
    p.drawRect(2, 2, 8, 8);
  }
  return QIcon(pm);
}

QPushButton* StatusButton(QWidget* parent, const char* name, const QString& caption, int w) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setFixedSize(w, 22);
  b->setFont(qm::UiFont("MS Sans Serif", 8.25));
  b->setEnabled(false);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

}  // namespace

void frmMain::SetFace(QLabel* button, const QLabel* face) {
  if (button && face) button->setPixmap(face->pixmap());
}

void frmMain::BuildWindow() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  menuBar = new QMenuBar(this);
  menuBar->setObjectName("menuBar");
  layout->setMenuBar(menuBar);

  client = new qm::EventLabel(this);
  client->setObjectName("client");
  client->setFixedSize(800, 600);
  client->setPixmap(QPixmap(":/art/main_background.png"));
  layout->addWidget(client);
  QObject::connect(client, &qm::EventLabel::mouseDown, this,
                   [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); });
  QObject::connect(client, &qm::EventLabel::mouseMove, this,
                   [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); });

  pctWindow = new qm::EventLabel(client);
  pctWindow->setObjectName("pctWindow");
  pctWindow->setGeometry(204, 40, viewer::kAreaWidth, viewer::kAreaHeight);
  pctWindow->setAutoFillBackground(true);
  QPalette pal = pctWindow->palette();
  pal.setColor(QPalette::Window, QColor(14, 17, 21));
  pctWindow->setPalette(pal);

  lbCount = MakeLabel(client, "lbCount", QStringLiteral("  "), QRect(308, 20, 338, 16), qm::UiFont("Tahoma", 8.25, true),
                      "#d6dde6");
  lbCount->setAlignment(Qt::AlignCenter);
  lbTitle = MakeLabel(client, "lbTitle", QStringLiteral("title"), QRect(204, 512, 545, 20),
                      qm::UiFont("Tahoma", 9.75, true), "#ffffff");
  lbTitle->setAlignment(Qt::AlignCenter);

  BuildStatusBar();

  pctBrightSmall = FaceHolder(client, "pctBrightSmall", "button_small_pressed.png");
  pctDarkSmall = FaceHolder(client, "pctDarkSmall", "button_small.png");
  pctAlbumList[10] = FaceHolder(client, "pctAlbumList_10", "button_large_pressed.png");
  pctAlbumList[11] = FaceHolder(client, "pctAlbumList_11", "button_large.png");

  tmrSlideShow = new QTimer(this);
  tmrSlideShow->setObjectName("tmrSlideShow");
  tmrVideo = new QTimer(this);
  tmrVideo->setObjectName("tmrVideo");
  tmrVideo->setInterval(250);
}

// The status bar has two rows. The upper holds every control of the clips: the
// photo's sound clip, the video buttons, the position bar, which takes what the
// row leaves (never under 200 pixels) so its box has room to move, and the
// length. The lower holds only the captions, each as wide as its text, so long
// counts never run under a control.
void frmMain::BuildStatusBar() {
  QHBoxLayout* clips = StatusBarRow(client, "clipRow", QRect(178, 542, 608, 22), 2);
  QWidget* clipRow = clips->parentWidget();
  cmdPlayAudioClip[0] = StatusButton(clipRow, "cmdPlayAudioClip_0", "Play &Audio", 64);
  cmdPlayAudioClip[1] = StatusButton(clipRow, "cmdPlayAudioClip_1", QString(), 22);
  cmdPlayAudioClip[1]->setIcon(GlyphIcon(false));
  cmdVideo[0] = StatusButton(clipRow, "cmdVideo_0", "Play &Video", 64);
  cmdVideo[1] = StatusButton(clipRow, "cmdVideo_1", QString(), 22);
  cmdVideo[1]->setIcon(GlyphIcon(true));
  cmdVideo[2] = StatusButton(clipRow, "cmdVideo_2", QString(), 22);
  cmdVideo[2]->setIcon(GlyphIcon(false));
  hscVideo = new QScrollBar(Qt::Horizontal, clipRow);
  hscVideo->setObjectName("hscVideo");
  hscVideo->setFixedHeight(16);
  hscVideo->setMinimumWidth(200);
  // One second a step, so the box is as small as the clip's length allows.
  hscVideo->setPageStep(1);
  hscVideo->setEnabled(false);
  lbVideo = StatusLabel(clipRow, "lbVideo");
  lbVideo->setFont(qm::UiFont("Tahoma", 8.25));
  lbVideo->setText("Length");
  clips->addWidget(cmdPlayAudioClip[0]);
  clips->addWidget(cmdPlayAudioClip[1]);
  clips->addSpacing(10);
  for (QPushButton* b : cmdVideo) clips->addWidget(b);
  clips->addSpacing(4);
  clips->addWidget(hscVideo, 1);
  clips->addSpacing(4);
  clips->addWidget(lbVideo);

  // The captions' own row clips whatever would pass its end.
  QHBoxLayout* captions = StatusBarRow(client, "statusRow", QRect(178, 574, 608, 18), 8);
  QWidget* captionRow = captions->parentWidget();
  lbStatusPage = StatusLabel(captionRow, "lbStatusPage");
  lbStatusCount = StatusLabel(captionRow, "lbStatusCount");
  lbStatusSelected = StatusLabel(captionRow, "lbStatusSelected");
  lbZoom = StatusLabel(captionRow, "lbZoom");
  for (QLabel* l : {lbStatusPage, lbStatusCount, lbStatusSelected, lbZoom}) captions->addWidget(l);
  captions->addStretch(1);
  lbZoom->setToolTip("Current zoom level (e.g., 1/2 = viewing at one half size)");
}

QLabel* frmMain::MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& where,
                           const QFont& font, const char* colour) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(where);
  l->setFont(font);
  l->setStyleSheet(QString("color: %1; background: transparent;").arg(colour));
  return l;
}

qm::EventLabel* frmMain::MakePictureButton(QWidget* parent, const char* name, const QRect& where, const QLabel* face) {
  auto* b = new qm::EventLabel(parent);
  b->setObjectName(name);
  b->setGeometry(where);
  b->setScaledContents(true);
  if (face) b->setPixmap(face->pixmap());
  return b;
}

// The caption covers its button, so a click on either runs the button's command.
qm::EventLabel* frmMain::MakeButtonCaption(qm::EventLabel* button, const char* name, const char* text,
                                           const char* tip) {
  auto* l = new qm::EventLabel(button);
  l->setObjectName(name);
  l->setText(QString::fromUtf8(text));
  l->setGeometry(0, 0, button->width(), button->height());
  l->setAlignment(Qt::AlignCenter);
  l->setFont(qm::UiFont("Tahoma", 8.25, true));
  l->setStyleSheet("QLabel { color: #ffffff; background: transparent; } QLabel:disabled { color: #5d6672; }");
  l->setToolTip(QString::fromUtf8(tip));
  button->setToolTip(QString::fromUtf8(tip));
  return l;
}

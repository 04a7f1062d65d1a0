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

QLabel* StatusLabel(QWidget* parent, const char* name, int x, int w) {
  return frmMain::MakeLabel(parent, name, QStringLiteral("  "), QRect(x, 544, w, 18), qm::UiFont("Tahoma", 8.25, true),
                            "#d6dde6");
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

QPushButton* StatusButton(QWidget* parent, const char* name, const QString& caption, int x, int w) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(x, 542, w, 22);
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
  client->setFixedSize(800, 572);
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

  // The status labels sit in a row that follows their texts: each label is as
  // wide as its text and the next one starts after it, however long the counts.
  auto* statusRow = new QWidget(client);
  statusRow->setObjectName("statusRow");
  statusRow->move(178, 544);
  auto* row = new QHBoxLayout(statusRow);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(8);
  row->setSizeConstraint(QLayout::SetFixedSize);
  lbStatusPage = StatusLabel(statusRow, "lbStatusPage", 0, 74);
  lbStatusCount = StatusLabel(statusRow, "lbStatusCount", 0, 96);
  lbStatusSelected = StatusLabel(statusRow, "lbStatusSelected", 0, 72);
  lbZoom = StatusLabel(statusRow, "lbZoom", 0, 68);
  for (QLabel* l : {lbStatusPage, lbStatusCount, lbStatusSelected, lbZoom}) {
    l->setTextFormat(Qt::PlainText);
    row->addWidget(l);
  }
  lbZoom->setToolTip("Current zoom level (e.g., 1/2 = viewing at one half size)");

  cmdPlayAudioClip[0] = StatusButton(client, "cmdPlayAudioClip_0", "Play &Audio", 496, 64);
  cmdPlayAudioClip[1] = StatusButton(client, "cmdPlayAudioClip_1", QString(), 562, 22);
  cmdPlayAudioClip[1]->setIcon(GlyphIcon(false));
  cmdVideo[0] = StatusButton(client, "cmdVideo_0", "Play &Video", 588, 64);
  cmdVideo[1] = StatusButton(client, "cmdVideo_1", QString(), 654, 22);
  cmdVideo[1]->setIcon(GlyphIcon(true));
  cmdVideo[2] = StatusButton(client, "cmdVideo_2", QString(), 678, 22);
  cmdVideo[2]->setIcon(GlyphIcon(false));
  hscVideo = new QScrollBar(Qt::Horizontal, client);
  hscVideo->setObjectName("hscVideo");
  hscVideo->setGeometry(703, 545, 44, 16);
  hscVideo->setEnabled(false);
  lbVideo = StatusLabel(client, "lbVideo", 749, 40);
  lbVideo->setFont(qm::UiFont("Tahoma", 8.25));
  lbVideo->setText("Length");
  lbVideo->adjustSize();

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

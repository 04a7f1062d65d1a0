#include "archive/frmSplash.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "archive/splash_progress.h"
#include "core/check_progress.h"
#include "core/modquillmont.h"
#include "platform/fonts.h"
#include "platform/window_layout.h"

namespace {

using qm::TwipsRect;

// The picture is dark; captions are light, and the product name's shadow is blue.
const QColor kCaption(0xf2, 0xf5, 0xfa);
const QColor kSubCaption(0xc8, 0xd4, 0xe4);
const QColor kShadow(0x1e, 0x5c, 0xd8);
const QColor kBar(0x2a, 0x7f, 0xff);

// The captions sit right of the emblem the picture carries at its left.
constexpr int kCaptionLeft = 168;
constexpr int kCaptionWidth = 445 - kCaptionLeft;
// The shadow is 45 twips up and left of the name.
constexpr int kShadowOffset = qm::TwipsToPixels(45);

QLabel* Caption(QWidget* parent, const char* name, const QString& text, const QFont& font, const QColor& colour,
                Qt::Alignment align, const QRect& geometry) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setFont(font);
  l->setAlignment(align | Qt::AlignVCenter);
  l->setTextFormat(Qt::PlainText);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, colour);
  l->setPalette(p);
  l->setAttribute(Qt::WA_TranslucentBackground);
  l->setGeometry(geometry);
  return l;
}

// A shape: an outline only, drawn over the picture, that takes no clicks.
QFrame* Outline(QWidget* parent, const char* name, const QColor& border, const QRect& geometry) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setStyleSheet(QString("QFrame#%1 { border: 1px solid %2; background: transparent; }")
                       .arg(name, border.name(QColor::HexArgb)));
  f->setAttribute(Qt::WA_TransparentForMouseEvents);
  f->setGeometry(geometry);
  return f;
}

}  // namespace

frmSplash::frmSplash() {
  // A fixed window without title bar or task bar entry; it has nothing to close,
  // minimise or maximise.
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(qm::TwipsToPixels(7335), qm::TwipsToPixels(4245));
  background_.load(":/art/splash.png");

  // Shapes lie under every control. The second, white one sits 15 twips below and
  // right of the first, which gives the frame an engraved edge.
  Shape1 = Outline(this, "Shape1", QColor(0, 0, 0, 200), TwipsRect(300, 285, 6735, 3675));
  Shape2 = Outline(this, "Shape2", QColor(255, 255, 255, 90), TwipsRect(315, 300, 6735, 3675));
  shpProgress = Outline(this, "shpProgress", Qt::black, TwipsRect(660, 3420, 6015, 135));

  pctProgress = new QWidget(this);
  pctProgress->setObjectName("pctProgress");
  pctProgress->setAutoFillBackground(true);
  QPalette bar = pctProgress->palette();
  bar.setColor(QPalette::Window, kBar);
  pctProgress->setPalette(bar);
  pctProgress->setGeometry(TwipsRect(660, 3420, 75, 135));

  const QFont name = qm::UiFont("Arial", 32.25, true, true);
  const QRect nameBox(kCaptionLeft, 50, kCaptionWidth, 56);
  // The shadow first, so the name is drawn over it.
  Label1 = Caption(this, "Label1", QString::fromStdString(kAppName), name, kShadow, Qt::AlignHCenter,
                   nameBox.translated(-kShadowOffset, -kShadowOffset));
  lblProductName =
      Caption(this, "lblProductName", QString::fromStdString(kAppName), name, kCaption, Qt::AlignHCenter, nameBox);

  const QFont small = qm::UiFont("Arial", 12, true);
  lblVersion = Caption(this, "lblVersion", QString(), small, kSubCaption, Qt::AlignHCenter,
                       QRect(kCaptionLeft, 124, kCaptionWidth, 24));
  lblPlatform = Caption(this, "lblPlatform", "Platforms: Win95, 98, 2000", small, kSubCaption, Qt::AlignRight,
                        QRect(kCaptionLeft, 178, kCaptionWidth, 24));

  cmdByPassAutoCheck = new QPushButton("&Skip AutoCheck", this);
  cmdByPassAutoCheck->setObjectName("cmdByPassAutoCheck");
  cmdByPassAutoCheck->setFont(qm::UiFont("MS Sans Serif", 8));
  cmdByPassAutoCheck->setGeometry(TwipsRect(3000, 3660, 1395, 255));
  connect(cmdByPassAutoCheck, &QPushButton::clicked, this, [this] { cmdByPassAutoCheck_Click(); });

  qm::CentreWindow(*this);
}

QString frmSplash::VersionText() {
  return QString("Version %1.%2.%3").arg(QM_VERSION_MAJOR).arg(QM_VERSION_MINOR).arg(QM_VERSION_PATCH);
}

void frmSplash::Form_Load() {
  lblVersion->setText(VersionText());
  SetCheckProgressDisplay(&UpdateSplashProgress);
}

void frmSplash::cmdByPassAutoCheck_Click() { BypassAutoCheck = true; }

void frmSplash::paintEvent(QPaintEvent* e) {
  QWidget::paintEvent(e);
  QPainter p(this);
  // The picture is drawn as it is, from the top left; its right and bottom edges are bleed.
  p.fillRect(rect(), QColor(0x1a, 0x20, 0x2a));
  p.drawPixmap(0, 0, background_);
}

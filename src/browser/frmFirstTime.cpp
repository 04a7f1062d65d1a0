#include "browser/frmFirstTime.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#include "platform/fonts.h"

namespace {

constexpr int kTwips = 15;

QLabel* Text(QWidget* parent, const char* name, const QString& text, const QFont& font, const QRect& geometry) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  // Shown as written: no rich text, and with no buddy "&" is no mnemonic.
  l->setTextFormat(Qt::PlainText);
  l->setFont(font);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setGeometry(geometry);
  return l;
}

void SetColour(QLabel* l, const QColor& c) {
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, c);
  l->setPalette(p);
}

}  // namespace

frmFirstTime::frmFirstTime() {
  setWindowTitle("Quillmont");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  setFixedSize(5445 / kTwips, 3885 / kTwips);

  const QFont name = qm::UiFont("Arial", 24, true, true);
  // The grey copy lies under the blue one, a little lower and to the right.
  lblProductShadow = Text(this, "lblProductShadow", "Quillmont", name, QRect(1365 / kTwips, 90 / kTwips, 200, 44));
  SetColour(lblProductShadow, QColor(0x80, 0x80, 0x80));
  lblProductName = Text(this, "lblProductName", "Quillmont", name, QRect(1320 / kTwips, 60 / kTwips, 200, 44));
  SetColour(lblProductName, QColor(0, 0, 0xff));

  const QFont body = qm::UiFont("Arial", 9.75, true);
  lblHeading = Text(this, "lblHeading", "FIRST TIME ONLY SCREEN", body, QRect(0, 56, width(), 20));
  lblHeading->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lblNote = Text(this, "lblNote", "Note", body, QRect(16, 88, 60, 18));

  // The runs of blanks carry each wrapped line to the label's edge, so the lines
  // break where they were written to.
  lblNote1 = Text(this, "lblNote1",
                  "1. On startup, Quillmont auto-scans the archive to         check for missing files & "
                  "out-of-date thumnails.",
                  body, QRect(16, 110, 331, 40));
  lblNote1->setWordWrap(true);
  lblNote3 = Text(this, "lblNote3",
                  "3. Your photos/images can easily be found and              added to the archive by using the "
                  "\"Import /                 Auto-Scan ...\" option located under the                       "
                  "\"File\" menu.",
                  body, QRect(16, 158, 331, 80));
  lblNote3->setWordWrap(true);
}

void frmFirstTime::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // Centred on the window that opened it (which also keeps it out of the task bar),
  // or on the screen when there is none.
  QWidget* owner = QApplication::activeWindow();
  if (owner == this) owner = nullptr;
  QRect area;
  if (owner) {
    area = owner->frameGeometry();
    if (windowHandle() && owner->windowHandle()) windowHandle()->setTransientParent(owner->windowHandle());
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) {
    QRect r = frameGeometry();
    r.moveCenter(area.center());
    move(r.topLeft());
  }
}

#include "browser/frmFirstTime.h"

#include <QLabel>
#include <QShowEvent>

#include "platform/fonts.h"
#include "platform/window_layout.h"

namespace {

using qm::TwipsToPixels;

QLabel* Text(QWidget* parent, const char* name, const QString& text, const QFont& font, const QRect& geometry) {
  return qm::FixedTextLabel(parent, name, text, font, geometry);
}

void SetColour(QLabel* l, const QColor& c) {
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, c);
  l->setPalette(p);
}

}  // namespace

frmFirstTime::frmFirstTime() {
  qm::SetUpFixedDialog(*this, "Quillmont", 5445, 3885);

  const QFont name = qm::UiFont("Arial", 24, true, true);
  // The grey copy lies under the blue one, a little lower and to the right.
  lblProductShadow = Text(this, "lblProductShadow", "Quillmont", name, QRect(TwipsToPixels(1365), TwipsToPixels(90), 200, 44));
  SetColour(lblProductShadow, QColor(0x80, 0x80, 0x80));
  lblProductName = Text(this, "lblProductName", "Quillmont", name, QRect(TwipsToPixels(1320), TwipsToPixels(60), 200, 44));
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
  qm::CentreOnOpener(*this);
}

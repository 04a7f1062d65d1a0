#include "platform/window_layout.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QPalette>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace qm {

QFrame* FilledFrame(QWidget* parent, const QString& name, const QColor& colour, const QRect& geometry) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setAutoFillBackground(true);
  QPalette p = f->palette();
  p.setColor(QPalette::Window, colour);
  f->setPalette(p);
  f->setGeometry(geometry);
  return f;
}

void SetUpFixedDialog(QDialog& dialog, const QString& title, int widthTwips, int heightTwips) {
  dialog.setWindowTitle(title);
  dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                        Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  dialog.setModal(true);
  dialog.setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

void CentreWindow(QWidget& window, const QWidget* owner) {
  QRect area;
  if (owner)
    area = owner->frameGeometry();
  else if (const QScreen* screen = QGuiApplication::primaryScreen())
    area = screen->availableGeometry();
  else
    return;
  QRect r = window.frameGeometry();
  r.moveCenter(area.center());
  window.move(r.topLeft());
}

void CentreOnOpener(QWidget& dialog) {
  QWidget* owner = QApplication::activeWindow();
  if (owner == &dialog) owner = nullptr;
  if (owner && dialog.windowHandle() && owner->windowHandle())
    dialog.windowHandle()->setTransientParent(owner->windowHandle());
  CentreWindow(dialog, owner);
}

QLabel* FixedTextLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                       const QRect& geometry) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  l->setFont(font);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  l->setGeometry(geometry);
  return l;
}

}  // namespace qm

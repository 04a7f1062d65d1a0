#pragma once
// Window geometry from design values in twips (15 to the pixel), the fixed dialog
// frame most small windows share, and centring a window.
#include <QRect>
#include <QString>

class QColor;
class QDialog;
class QFrame;
class QFont;
class QLabel;
class QWidget;

namespace qm {

constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }
inline QRect TwipsRect(int x, int y, int w, int h) {
  return QRect(TwipsToPixels(x), TwipsToPixels(y), TwipsToPixels(w), TwipsToPixels(h));
}

// A modal dialog with a caption and a close box only, its client area fixed to the
// given size in twips.
void SetUpFixedDialog(QDialog& dialog, const QString& title, int widthTwips, int heightTwips);

// Moves the window so its centre is the owner's centre, or with no owner the
// centre of the primary screen's free area (without its panels).
void CentreWindow(QWidget& window, const QWidget* owner = nullptr);

// For a dialog being shown: centres it on the window that opened it (the active
// one), whose child it becomes so it stays out of the task bar; on the screen when
// there is none.
void CentreOnOpener(QWidget& dialog);

// A label of a small window at a design place, its text shown as written (no rich
// text; with no buddy, "&" is no mnemonic), from the top left.
QLabel* FixedTextLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                       const QRect& geometry);

// A plain frame filled with one colour: rules, tracks and bars.
QFrame* FilledFrame(QWidget* parent, const QString& name, const QColor& colour, const QRect& geometry);

// Names a control and puts it at its place.
template <class W>
W* Place(W* w, const char* name, const QRect& where) {
  w->setObjectName(name);
  w->setGeometry(where);
  return w;
}

}  // namespace qm

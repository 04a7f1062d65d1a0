#pragma once
// The full-screen viewer: the main window's current photo over the whole screen, or
// its clip in a box that nearly fills it, stepped through the loaded group with the
// keyboard. It keeps no list of its own: it asks the main window to step and shows
// what the main window then holds.
#include <QImage>
#include <QSize>

#include "platform/forms.h"

class ImageBox;
class QKeyEvent;
class QMouseEvent;

class frmFullScreen : public qm::Form<frmFullScreen, QWidget> {
public:
  static constexpr const char* FormName = "frmFullScreen";

  frmFullScreen();

  QWidget* picVideoWindowFS = nullptr;  // takes the keys; hosts a clip
  ImageBox* imgFullScreen = nullptr;

  void Form_Load() override;
  void Form_Unload(bool& cancel) override;
  void Form_KeyDown(int KeyCode, int Shift);
  // One key's action; true when it moved to another photo.
  bool PhotoRequest(int KeyCode, int Shift);
  void ShowPhoto();
  void Form_Click();
  void imgFullScreen_Click();

  // The screen the viewer covers (the main window's).
  QSize ScreenSize() const;
  // The key code the handlers expect for a Qt key (13 Enter, 27 Esc, 32 space,
  // 37..40 arrows, 65..90 letters); 0 for keys they do not know.
  static int KeyCode(int qtKey);
  // Shows the viewer over the whole screen with the key focus in it.
  void ShowFullScreen();

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  // The picture with enough detail for the size it is shown at.
  const QImage& PictureFor(QSize shown);
  void MoveVideoBoxAway();

  bool hostsClip_ = false;  // the one open clip plays in picVideoWindowFS
};

#pragma once
// The full-screen viewer: the main window's current photo over the whole screen, or
// its clip in a box that nearly fills it, stepped through the loaded group with the
// keyboard. It keeps no list of its own: it asks the main window to step and shows
// what the main window then holds. While a photo is shown, the next one in the
// direction of travel is decoded ahead, for the main window to take at the step.
#include <QImage>
#include <QSize>
#include <optional>
#include <string>

#include "core/decode_ahead.h"
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
  // Where a photo that opens is shown now: the main window's area, and the screen
  // while the viewer is open.
  static viewer::Showing ShowingNow();
  // The photo at path when it was decoded ahead for showing (see DecodeAhead::Take).
  std::optional<viewer::DecodedPicture> TakeDecodedAhead(const std::string& path, const viewer::Showing& showing);
  const viewer::DecodeAhead& DecodedAhead() const { return ahead_; }

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

private:
  // The picture with enough detail for the size it is shown at over the screen.
  const QImage& PictureForScreen();
  void MoveVideoBoxAway();
  void ShowItem();
  // Decodes the photo after the current one in the direction of travel ahead.
  void DecodeNextAhead();

  bool hostsClip_ = false;  // the one open clip plays in picVideoWindowFS
  int direction_ = 1;       // +1 after a step forward, -1 after a step back
  viewer::DecodeAhead ahead_;
};

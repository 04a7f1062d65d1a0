// The splash window as start-up shows it: its captions and layout over the picture,
// the skip button, and what it looks like while the check runs.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>

#include "archive/archivecheck.h"
#include "support/check_fixture.h"

namespace {

#define QM_TEXT_(x) #x
#define QM_TEXT(x) QM_TEXT_(x)

int Brightness(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

// How many pixels of a rectangle are light (caption text on the dark picture).
int LightPixels(const QImage& img, const QRect& r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (Brightness(img.pixel(x, y)) > 180) ++n;
  return n;
}

}  // namespace

class SplashTest : public CheckTest {};

TEST_F(SplashTest, VersionAndTheReadableNameOverItsShadow) {
  frmSplash& s = frmSplash::Get();
  EXPECT_EQ(s.size(), QSize(489, 283));
  EXPECT_TRUE(s.windowFlags().testFlag(Qt::Tool)) << "no task bar entry";
  EXPECT_EQ(s.lblVersion->text().toStdString(),
            "Version " QM_TEXT(QM_VERSION_MAJOR) "." QM_TEXT(QM_VERSION_MINOR) "." QM_TEXT(QM_VERSION_PATCH));
  EXPECT_EQ(s.lblPlatform->text(), "Platforms: Win95, 98, 2000");
  EXPECT_EQ(s.cmdByPassAutoCheck->text(), "&Skip AutoCheck");
  EXPECT_EQ(s.shpProgress->geometry(), QRect(44, 228, 401, 9));
  for (QLabel* l : {s.lblProductName, s.Label1}) {
    EXPECT_EQ(l->text(), "Quillmont");
    EXPECT_DOUBLE_EQ(l->font().pointSizeF(), 32.25);
    EXPECT_TRUE(l->font().bold() && l->font().italic());
  }
  EXPECT_EQ(s.Label1->pos(), s.lblProductName->pos() - QPoint(3, 3));
  const QColor shadow = s.Label1->palette().color(QPalette::WindowText);
  EXPECT_GT(shadow.blue(), 2 * shadow.red());
  EXPECT_GT(s.lblProductName->palette().color(QPalette::WindowText).lightness(), 200);
}

TEST_F(SplashTest, SkipPressedTwiceBeforeTheCheckIsSkipPressedOnce) {
  AddOrphan("gone.jpg");
  frmSplash::Get().show();
  frmSplash::Get().cmdByPassAutoCheck->click();
  frmSplash::Get().cmdByPassAutoCheck->click();
  EXPECT_TRUE(BypassAutoCheck);
  CheckFolderContents();
  EXPECT_TRUE(Exists("Photo_Info/gone.jpg.info"));
  EXPECT_FALSE(Exists("Photo_SlideGroups/  All Photos  .lst"));
  EXPECT_EQ(BarWidth(), FullBar()) << "the bar ends full whether or not the steps ran";
}

TEST_F(SplashTest, SkipDuringTheFirstStepHoldsTheBarUntilItEndsFull) {
  for (int i = 0; i < 9; ++i) AddOrphan("gone" + std::to_string(i) + ".jpg");
  frmSplash::Get().show();
  std::vector<int> afterPress;
  bool pressed = false;
  int atPress = -1;
  {
    AtEveryYield watch([&] {
      if (pressed) {
        afterPress.push_back(BarWidth());
      } else if (BarWidth() > 20) {
        atPress = BarWidth();
        frmSplash::Get().cmdByPassAutoCheck->click();
        frmSplash::Get().cmdByPassAutoCheck->click();
        pressed = true;
      }
    });
    CheckFolderContents();
  }
  ASSERT_TRUE(pressed);
  ASSERT_LT(atPress, FullBar() / 4);
  for (int w : afterPress) EXPECT_TRUE(w == atPress || w == FullBar()) << w;
  EXPECT_EQ(BarWidth(), FullBar());
  EXPECT_TRUE(Exists("Photo_Info/gone0.jpg.info")) << "the step left before setting anything aside";
  EXPECT_TRUE(prompter.Prompts().empty());
}

// Also saves the picture when QM_SPLASH_SHOT names a file.
TEST_F(SplashTest, DuringACheckTheBarAndCaptionsShowOnThePicture) {
  for (int i = 0; i < 300; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.jpg", i);
    AddCheckedPhoto(name);
  }
  frmSplash& s = frmSplash::Get();
  s.show();
  QImage shot;
  {
    AtEveryYield watch([&] {
      if (shot.isNull() && BarWidth() >= FullBar() * 6 / 10) shot = frmSplash::Get().grab().toImage();
    });
    CheckFolderContents();
  }
  ASSERT_FALSE(shot.isNull());
  shot = shot.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), QSize(489, 283));
  if (const QByteArray path = qgetenv("QM_SPLASH_SHOT"); !path.isEmpty()) shot.save(QString::fromLocal8Bit(path));

  const QRgb filled = shot.pixel(44 + 100, 232), empty = shot.pixel(44 + 380, 232);
  EXPECT_GT(qBlue(filled), 200);
  EXPECT_GT(qBlue(filled), qRed(filled) + 100);
  EXPECT_LT(Brightness(empty), 80) << "the rest of the bar shows the dark picture";
  EXPECT_GT(LightPixels(shot, s.lblProductName->geometry()), 200);
  EXPECT_GT(LightPixels(shot, s.lblVersion->geometry()), 50);
  EXPECT_GT(LightPixels(shot, s.lblPlatform->geometry()), 50);
}

// The full-screen viewer under a real window manager (run by with-openbox.sh on
// an X display of its own): keys are pressed on the X server, which gives them
// to whichever window the window manager focused, and message boxes are real.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTextEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "browser/frmMain.h"
#include "browser/imagebox.h"
#include "browser/window_fixture.h"
#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "media/frmFullScreen.h"
#include "platform/message_dialog.h"
#include "platform/prompter.h"
#include "support/wait_until.h"

namespace {

// A key pressed on the keyboard, as the X server delivers it.
void PressKey(const char* key) {
  ASSERT_EQ(QProcess::execute("xdotool", {"key", key}), 0) << "xdotool is needed (scripts/install-deps.sh)";
}

bool HasKeys(QWidget& w) { return QGuiApplication::focusWindow() == w.windowHandle(); }

class ViewerFocus : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
    qm::SetPrompter(nullptr);  // real message boxes, answered from the keyboard
  }
  void TearDown() override {
    if (frmFullScreen::IsLoaded()) frmFullScreen::Unload();
    WindowTest::TearDown();
  }
};

TEST_F(ViewerFocus, AfterAMessageTheViewerIsInFrontAndTakesTheKeys) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "run by with-openbox.sh";
  SavePhoto("p1.jpg", Solid(64, 48, Qt::red));
  Write("Photos/p2.jpg", "not a picture");
  SavePhoto("p3.jpg", Solid(64, 48, Qt::blue));
  for (const char* name : {"p1.jpg", "p2.jpg", "p3.jpg"})
    Write(std::string("Photo_Info/") + name + ".info", CrLf({std::string("PhotoPath=\\Photos\\") + name}));
  Write("Photo_SlideGroups/  All Photos  .lst", CrLf({"p1.jpg", "p2.jpg", "p3.jpg"}));
  frmMain& f = frmMain::Get();
  f.show();
  ASSERT_TRUE(WaitUntil([&] { return HasKeys(f); }, 5000));
  f.imgThumbnail_DblClick(0);
  f.cmdFullScreen_Click();
  frmFullScreen& v = frmFullScreen::Get();
  ASSERT_TRUE(WaitUntil([&] { return HasKeys(v); }, 5000)) << "the viewer takes the keys when it opens";

  // The message of the damaged photo is answered with Enter once it has the keys.
  QString message;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = dynamic_cast<qm::MessageDialog*>(QApplication::activeModalWidget());
    if (!box || !HasKeys(*box) || !message.isEmpty()) return;
    message = box->TextView()->toPlainText();
    PressKey("Return");
  });
  answer.start(100);
  PressKey("Right");
  ASSERT_TRUE(WaitUntil([&] { return !message.isEmpty() && !QApplication::activeModalWidget(); }, 10000));
  answer.stop();
  EXPECT_EQ(message, "Invalid image file. Unable to open");
  ASSERT_TRUE(frmFullScreen::IsLoaded());
  // Whatever the window manager gives the focus to first, the viewer has it in
  // the end, and the main window stays behind it.
  EXPECT_TRUE(WaitUntil([&] { return HasKeys(v); }, 3000)) << "the keys went elsewhere";
  QTest::qWait(500);
  EXPECT_TRUE(HasKeys(v));
  EXPECT_FALSE(f.isActiveWindow());

  // A real arrow key steps on in the viewer.
  PressKey("Right");
  EXPECT_TRUE(WaitUntil([] { return gAlbumState.CurrentImageIndex == 3; }, 5000));
  const QImage shown = v.imgFullScreen->picture();
  ASSERT_FALSE(shown.isNull());
  EXPECT_GT(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)).blue(), 200) << "photo 3 on show";
  PressKey("Escape");
  EXPECT_TRUE(WaitUntil([] { return !frmFullScreen::IsLoaded(); }, 5000));
}

}  // namespace

// The platform is the one the wrapper chose (xcb), not the offscreen one.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

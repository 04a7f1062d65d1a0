// The About box: its face, how it closes, the registry places it reads from the
// settings files, and the programs it starts (harmless scripts of the test's own).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "browser/frmAbout.h"
#include "browser/imagebox.h"
#include "core/modquillmont.h"
#include "core/registry_values.h"
#include "platform/files.h"
#include "platform/settings_backend.h"
#include "support/wait_until.h"
#include "window_fixture.h"

namespace {

const char* kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kUnavailable = "System Information Is Unavailable At This Time";

class AboutBox : public WindowTest {
protected:
  void TearDown() override {
    frmAbout::Unload();
    WindowTest::TearDown();
  }

  // An INI file written by hand, as an installer would: backslashes in the section.
  static void WriteIni(const std::string& file, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    QFile f(QString::fromStdString(file));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), qint64(text.size()));
  }
  static std::string SystemIni() { return qm::SystemSettingsFilePath(kAppName); }

  // A script that writes its name into "started" in the program folder.
  std::string Program(const std::string& rel, const std::string& name) {
    Write(rel, "#!/bin/sh\necho " + name + " > '" + Path("started") + "'\n");
    std::filesystem::permissions(Path(rel), std::filesystem::perms::owner_all);
    return Path(rel);
  }
  // What the started program wrote, once it has run; "" when nothing ran within ms
  // milliseconds (a program that starts wrongly has written by then).
  std::string Started(int ms = 15000) {
    WaitUntil([&] { return Exists("started") && !Read("started").empty(); }, ms);
    return Exists("started") ? Read("started") : "";
  }
  std::string NothingStarted() { return Started(2000); }

  // Presses the key on the focused control of the open box, as the keyboard would.
  static void Press(int key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &frmAbout::Get();
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &down);
  }
};

}  // namespace

TEST_F(AboutBox, FaceAsDesigned) {
  frmAbout& f = frmAbout::Get();
  EXPECT_EQ(f.size(), QSize(382, 237));
  EXPECT_TRUE(f.windowTitle().isEmpty());
  EXPECT_FALSE(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(f.lblVersion->text(), "Version 1.0.0");
  EXPECT_EQ(f.picIcon->picture().size(), QSize(32, 32));
  EXPECT_TRUE(f.cmdOK->isDefault());
  EXPECT_EQ(f.cmdSysInfo->text(), "&System Info...");
  // Every control inside the box, every text inside its label.
  for (QWidget* w : f.findChildren<QWidget*>())
    EXPECT_TRUE(f.rect().contains(w->geometry())) << w->objectName().toStdString();
  for (QLabel* l : {f.lblTitle, f.lblVersion, f.lblDescription, f.lblDisclaimer}) {
    const QRect needed = l->fontMetrics().boundingRect(l->contentsRect(), Qt::TextWordWrap, l->text());
    EXPECT_LE(needed.height(), l->height()) << l->objectName().toStdString();
  }
}

TEST_F(AboutBox, EnterAndEscapeBothCloseIt) {
  for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
    // The key goes in once the open box has put the focus on OK.
    const WhenReady focusOnOK([] { return ModalUp<frmAbout>() && QApplication::focusWidget() == frmAbout::Get().cmdOK; },
                              [key] { Press(key); });
    frmAbout::Get().exec();
    EXPECT_TRUE(focusOnOK.Acted()) << key;
    EXPECT_FALSE(frmAbout::IsLoaded()) << key;
    QApplication::processEvents();
  }
}

TEST_F(AboutBox, OpensModallyFromTheHelpMenuCentredOnTheMainWindow) {
  Write("Photo_SlideGroups/  All Photos  .lst", "");
  gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
  frmMain& main = frmMain::Get();
  main.show();
  main.activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(main.mnuHelpAbout->isEnabled());
  bool modal = false;
  QPoint offset;
  const WhenReady up([] { return ModalUp<QWidget>() != nullptr; }, [&] {
    QWidget* box = ModalUp<QWidget>();
    if (box != ModalUp<frmAbout>()) {
      box->close();
      return;
    }
    modal = true;
    offset = box->frameGeometry().center() - main.frameGeometry().center();
    frmAbout::Get().cmdOK->click();
  });
  main.mnuHelpAbout->trigger();
  EXPECT_TRUE(modal);
  EXPECT_LE(offset.manhattanLength(), 1);
  EXPECT_FALSE(frmAbout::IsLoaded());
}

TEST_F(AboutBox, GetKeyValueReadsTheSettingsFilesAndWritesNothing) {
  const std::string user = qm::SettingsFilePath(kAppName);
  std::string value = "stale";
  // No file at all: a failed read that empties the value and makes no file.
  EXPECT_FALSE(frmAbout::GetKeyValue(HKEY_CURRENT_USER, kPathKey, "PATH", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kPathKey, "PATH", value));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(user)));

  WriteIni(SystemIni(), "[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=/opt/sys info/tool\nEnded=\"text\\0\"\n");
  WriteIni(user, "[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=/home/tool\n");
  EXPECT_TRUE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kPathKey, "PATH", value));
  EXPECT_EQ(value, "/opt/sys info/tool");
  EXPECT_TRUE(frmAbout::GetKeyValue(HKEY_CURRENT_USER, kPathKey, "PATH", value));
  EXPECT_EQ(value, "/home/tool");
  // A value stored with its terminating zero reads without it.
  EXPECT_TRUE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kPathKey, "Ended", value));
  EXPECT_EQ(value, "text");
  // Each root reads its own file only, and other roots read nothing.
  value = "stale";
  EXPECT_FALSE(frmAbout::GetKeyValue(HKEY_CURRENT_USER, kPathKey, "Ended", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(frmAbout::GetKeyValue(HKEY_LOCAL_MACHINE, kFolderKey, "MSINFO", value));
  EXPECT_FALSE(frmAbout::GetKeyValue(0x80000000u, kPathKey, "PATH", value));
  EXPECT_EQ(qm::ReadFileBytes(user), "[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=/home/tool\n");
}

TEST_F(AboutBox, SystemInfoStartsThePathValueWithoutLookingFurther) {
  const std::string path = Program("tools/sysinfo", "from-path");
  Program("tools/folder/MSINFO32.EXE", "from-folder");
  WriteIni(SystemIni(), "[SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=" + path +
                            "\n[SOFTWARE\\Microsoft\\Shared Tools Location]\nMSINFO=" + Path("tools/folder") + "\n");
  frmAbout::Get().cmdSysInfo->click();
  EXPECT_EQ(Started(), "from-path\n");
  EXPECT_TRUE(prompter.Prompts().empty());

  // A path value whose program cannot start is the end: the folder is not tried.
  std::filesystem::remove(Path("started"));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  frmAbout::Get().cmdSysInfo->click();
  ASSERT_EQ(prompter.Prompts().size(), 1u);
  EXPECT_EQ(prompter.Prompts()[0].text, kUnavailable);
  EXPECT_EQ(NothingStarted(), "");
}

TEST_F(AboutBox, SystemInfoFromTheFolderValueOrTheMessage) {
  // Neither value: the message.
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  frmAbout::Get().cmdSysInfo->click();
  // The folder value without the program in it: the message.
  WriteIni(SystemIni(), "[SOFTWARE\\Microsoft\\Shared Tools Location]\nMSINFO=" + Path("tools") + "\n");
  Program("tools/msinfo32.exe", "wrong-case");
  prompter.ExpectMsg(qm::MsgAnswer::OK);
  frmAbout::Get().cmdSysInfo->click();
  ASSERT_EQ(prompter.Prompts().size(), 2u);
  for (const auto& p : prompter.Prompts()) EXPECT_EQ(p.text, kUnavailable);
  EXPECT_EQ(NothingStarted(), "");
  // With the program there, it starts.
  Program("tools/MSINFO32.EXE", "from-folder");
  frmAbout::Get().cmdSysInfo->click();
  EXPECT_EQ(Started(), "from-folder\n");
  EXPECT_EQ(prompter.Prompts().size(), 2u);
}

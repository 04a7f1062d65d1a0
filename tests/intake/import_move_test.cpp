// Imported copies are linked within the program folder, so they open wherever the
// program folder goes.
#include <QCoreApplication>
#include <filesystem>

#include "app/startup.h"
#include "archive/frmSplash.h"
#include "browser/frmMain.h"
#include "core/albumstate.h"
#include "core/photolinks.h"
#include "import_fixture.h"
#include "platform/program_folder.h"

TEST_F(ImportTest, ImportedCopiesOpenAfterTheProgramFolderMoves) {
  gSettings.SetDravenholtSetting(kAppName, "Options", "FirstTime", "False");
  const std::string src = Source({"a.jpg"}, "../card");
  Rows({"a.jpg"}, src);
  Options(false);
  D().cmdImport_Click();
  frmImport::Unload();
  const std::string bytes = Read("Photos/a.jpg");
  EXPECT_EQ(bytes, qm::ReadFileBytes(src + "/a.jpg"));
  EXPECT_EQ(qm::ReadTextLines(InfoFolder + "a.jpg.info").at(0), "PhotoPath=\\Photos\\a.jpg");

  const std::string moved = Root() + " moved";
  std::filesystem::rename(Root(), moved);
  qm::SetProgramFolderForTests(moved);
  EXPECT_EQ(Main(), -1);
  ASSERT_TRUE(frmMain::IsLoaded());
  EXPECT_EQ(PhotoNames, std::vector<std::string>({"", "a.jpg"}));
  frmMain::Get().imgThumbnail_DblClick(0);
  EXPECT_EQ(gAlbumState.PhotoFile, moved + "/Photos/a.jpg");
  EXPECT_EQ(gAlbumState.ImageWidth, 48) << "the photo is shown";
  EXPECT_EQ(qm::ReadFileBytes(moved + "/Photos/a.jpg"), bytes);
  EXPECT_FALSE(qm::FileExists(moved + "/Quillmont.Log") &&
               qm::ReadFileBytes(moved + "/Quillmont.Log").find("a.jpg") != std::string::npos);

  frmMain::Unload();
  frmSplash::Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

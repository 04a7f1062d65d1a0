// Imported copies are linked within the program folder, so they open wherever the
// program folder goes.
#include <filesystem>

#include "core/photolinks.h"
#include "import_fixture.h"
#include "platform/program_folder.h"

TEST_F(ImportTest, ImportedCopiesOpenAfterTheProgramFolderMoves) {
  const std::string src = Source({"a.jpg"}, "../card");
  Rows({"a.jpg"}, src);
  Options(false);
  D().cmdImport_Click();
  frmImport::Unload();
  const std::string bytes = Read("Photos/a.jpg");
  EXPECT_EQ(bytes, qm::ReadFileBytes(src + "/a.jpg"));

  const std::string moved = Root() + " moved";
  std::filesystem::rename(Root(), moved);
  qm::SetProgramFolderForTests(moved);
  SetArchiveRoot();
  ReadFolderSettings();
  const std::string photo = GetPhotoLink("a.jpg.info");
  EXPECT_EQ(photo, moved + "/Photos/a.jpg");
  EXPECT_TRUE(CheckPhotoLink(photo));
  EXPECT_EQ(qm::ReadFileBytes(photo), bytes);
}

#include <gtest/gtest.h>

#include <filesystem>

#include "core/export_rules.h"
#include "core/modquillmont.h"
#include "support/temp_archive.h"

namespace {

TEST(ExportRules, OnlyNamesThatStayInsideTheDestination) {
  for (const char* ok : {"a.jpg", "...", ".hidden.jpg", "tn_a.jpg", "a b,c.jpg", "a\\b.jpg"})
    EXPECT_TRUE(IsExportableName(ok)) << ok;
  for (const char* bad : {"", ".", "..", "../a.jpg", "a/b.jpg", "/", "/etc/passwd"})
    EXPECT_FALSE(IsExportableName(bad)) << bad;
}

class ExportRefusalTest : public TempArchive {};

TEST_F(ExportRefusalTest, RefusesTheArchiveFoldersAndTheArchivesOwnFiles) {
  AddPhoto("a.jpg");
  Write("out/free.jpg", "a copy of nothing");
  const std::string out = Path("out");
  EXPECT_EQ(ExportRefusal(out, {out + "/a.jpg", out + "/free.jpg", out + "/tn_a.jpg"}), "");
  for (const std::string& folder : {PhotosFolder, ThumbnailsFolder, InfoFolder, SlideGroupsFolder, AudioFolder,
                                    MidiFolder}) {
    const std::string dest = folder.substr(0, folder.size() - 1);
    EXPECT_NE(ExportRefusal(dest, {}).find("a folder of the program's own archive"), std::string::npos) << dest;
  }
  EXPECT_NE(ExportRefusal(Root(), {}).find("the program's own folder"), std::string::npos);
  // The same file under another name: a hard link of the photo in the destination.
  std::filesystem::create_hard_link(Path("Photos/a.jpg"), Path("out/b.jpg"));
  EXPECT_NE(ExportRefusal(out, {out + "/b.jpg"}).find("holds the photo a.jpg"), std::string::npos);
}

}  // namespace

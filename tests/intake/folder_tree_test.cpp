// The folder tree the import, export and sound dialogs share, driven by real mouse
// presses: the highlighted folder is the one the dialog's lists use, and folders
// whose names are not UTF-8 are listed and can be chosen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "core/modquillmont.h"
#include "intake/frmImport.h"
#include "media/frmAddMidiWav.h"
#include "platform/drive_folder_lists.h"
#include "search_export/frmExport.h"
#include "support/temp_archive.h"
#include "support/wait_until.h"

namespace {

// One dialog with the shared tree: how it opens on a folder, its tree, the folder
// its lists use and what its file list shows.
struct TreeDialog {
  const char* name;
  std::function<QDialog*(const std::string& folder)> open;
  std::function<qm::FolderList*()> tree;
  std::function<std::string()> folderInUse;
  std::function<std::vector<std::string>()> files;
  std::function<void()> unload;
};

std::vector<std::string> Names(const qm::FileListBox* list) {
  std::vector<std::string> out;
  for (int r = 0; r < list->count(); ++r) out.push_back(list->Name(r));
  return out;
}

std::vector<TreeDialog> Dialogs() {
  return {
      {"import",
       [](const std::string& folder) -> QDialog* {
         gSettings.SetDravenholtSetting(kAppName, "Import", "LastPath", folder);
         return &frmImport::Get();
       },
       [] { return frmImport::Get().Dir1; }, [] { return frmImport::Get().Dir1Path; },
       [] { return Names(frmImport::Get().File1); }, [] { frmImport::Unload(); }},
      {"sound",
       [](const std::string& folder) -> QDialog* {
         gSettings.SetDravenholtSetting(kAppName, "Sound", "LastPath", folder);
         frmAddMidiWav& d = frmAddMidiWav::Get();
         d.File1Pattern = "*";
         d.File1_Refresh();
         return &d;
       },
       [] { return frmAddMidiWav::Get().Dir1; }, [] { return frmAddMidiWav::Get().File1Path; },
       [] { return Names(frmAddMidiWav::Get().File1); }, [] { frmAddMidiWav::Unload(); }},
      {"export",
       [](const std::string& folder) -> QDialog* {
         gSettings.SetDravenholtSetting(kAppName, "Export", "LastPath", folder);
         return &frmExport::Get();
       },
       [] { return frmExport::Get().Dir1; }, [] { return frmExport::Get().Dir1->Path(); },
       [] { return std::vector<std::string>(); }, [] { frmExport::Unload(); }},
  };
}

// The tree's rows on show, top to bottom.
std::vector<QModelIndex> RowsOnShow(const QTreeView* tree) {
  std::vector<QModelIndex> rows;
  for (int y = 0; y < tree->viewport()->height(); ++y) {
    const QModelIndex i = tree->indexAt(QPoint(tree->viewport()->width() / 2, y));
    if (i.isValid() && (rows.empty() || rows.back() != i)) rows.push_back(i);
  }
  return rows;
}

std::string Shown(const QModelIndex& i) { return i.data().toString().toStdString(); }

class FolderTree : public TempArchive {
protected:
  void TearDown() override {
    for (const TreeDialog& d : Dialogs()) d.unload();
    QApplication::processEvents();
    TempArchive::TearDown();
  }
  // "src" with forty folders f00..f39, each holding a folder and a picture named after it.
  void ManyFolders() {
    for (int i = 0; i < 40; ++i) {
      const std::string f = std::string("f") + char('0' + i / 10) + char('0' + i % 10);
      Write("src/" + f + "/inner/x.txt", "x");
      Write("src/" + f + "/" + f + ".jpg", "x");
    }
  }
};

TEST_F(FolderTree, AClickThatExpandsAFolderLowDownHighlightsTheFolderTheListsUse) {
  ManyFolders();
  for (const TreeDialog& d : Dialogs()) {
    SCOPED_TRACE(d.name);
    QDialog* dialog = d.open(Path("src"));
    dialog->show();
    qm::FolderList* tree = d.tree();
    ASSERT_TRUE(WaitUntil([&] { return RowsOnShow(tree).size() > 6; }, 5000));
    // A folder row in the lower half of the tree, whole on show.
    QModelIndex target;
    const int height = tree->viewport()->height();
    for (const QModelIndex& i : RowsOnShow(tree)) {
      const QRect r = tree->visualRect(i);
      if (r.top() > height / 2 && r.bottom() < height && Shown(i).size() == 3 && Shown(i)[0] == 'f') {
        target = i;
        break;
      }
    }
    ASSERT_TRUE(target.isValid());
    const std::string name = Shown(target);
    const QPoint at = tree->visualRect(target).center();
    QTest::mousePress(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();

    EXPECT_EQ(d.folderInUse(), Path("src/" + name));
    const QModelIndexList highlighted = tree->selectionModel()->selectedIndexes();
    ASSERT_EQ(highlighted.size(), 1);
    EXPECT_EQ(Shown(highlighted.front()), name);
    EXPECT_EQ(Shown(tree->currentIndex()), name);
    if (std::string(d.name) != "export") {
      EXPECT_EQ(d.files(), (std::vector<std::string>{name + ".jpg"}));
    }
    d.unload();
    QApplication::processEvents();
  }
}

TEST_F(FolderTree, AFolderNamedInAnOlderCodePageIsListedAndChosenByItsBytes) {
  const std::string cafe = "Caf\xe9";
  Write("src/" + cafe + "/" + cafe + ".jpg", "x");
  Write("src/Plain/p.jpg", "x");
  for (const TreeDialog& d : Dialogs()) {
    SCOPED_TRACE(d.name);
    QDialog* dialog = d.open(Path("src"));
    dialog->show();
    qm::FolderList* tree = d.tree();
    QModelIndex target;
    ASSERT_TRUE(WaitUntil(
        [&] {
          for (const QModelIndex& i : RowsOnShow(tree))
            if (i.data().toString() == QStringLiteral("Caf\u00e9")) target = i;
          return target.isValid();
        },
        5000));
    const QPoint at = tree->visualRect(target).center();
    QTest::mousePress(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
    EXPECT_EQ(d.folderInUse(), Path("src/" + cafe));
    if (std::string(d.name) != "export") {
      EXPECT_EQ(d.files(), (std::vector<std::string>{cafe + ".jpg"}));
    }
    // Chosen by the code as well, and a folder made meanwhile is found.
    Write("src/" + cafe + "/later/l.jpg", "x");
    tree->SetPath(Path("src/" + cafe + "/later"));
    EXPECT_EQ(d.folderInUse(), Path("src/" + cafe + "/later"));
    EXPECT_EQ(Shown(tree->currentIndex()), "later");
    d.unload();
    QApplication::processEvents();
  }
}

}  // namespace

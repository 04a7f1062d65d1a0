#pragma once
// What the import tests share: a fresh archive, the dialog, source folders of real
// pictures, and a look at the archive a run leaves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "core/CDravenholtReg.h"
#include "core/modquillmont.h"
#include "intake/frmImport.h"
#include "platform/files.h"
#include "support/pictures.h"
#include "support/temp_archive.h"
#include "support/yield_watch.h"

// The first lines of the run's report of failed rows.
inline const std::string kImportReport = "Error(s) occurred with the following files during import process.\r\r";

class ImportTest : public TempArchive {
protected:
  void TearDown() override {
    if (frmImport::IsLoaded()) frmImport::Unload();
    QApplication::processEvents();
    TempArchive::TearDown();
  }

  static frmImport& D() { return frmImport::Get(); }

  // A small real JPEG, different for each seed.
  static std::string Jpeg(int seed) {
    QImage img(48, 32, QImage::Format_RGB32);
    img.fill(QColor::fromHsv((seed * 37) % 360, 200, 200));
    return EncodedImage(img, "JPEG");
  }
  // Source folder "src" (or another) under the test's folder, holding the files.
  std::string Source(const std::vector<std::string>& names, const std::string& rel = "src") {
    for (size_t i = 0; i < names.size(); ++i) Write(rel + "/" + names[i], Jpeg(int(i)));
    return Path(rel);
  }
  // A fresh dialog over an archive without information files.
  void Reopen() {
    frmImport::Unload();
    QApplication::processEvents();
    for (const auto& n : Infos()) qm::DeleteFile(InfoFolder + n);
  }
  // Shows folder in the dialog and adds every file it lists.
  void AddAll(const std::string& folder) {
    D().SetDir1Path(folder);
    D().File1->selectAll();
    D().cmdAddFile_Click();
  }
  // Shows the dialog and closes it as soon as the import or scan that start begins is
  // busy; the window must stay until that run lets go of it. True when it was closed.
  bool CloseWhileBusy(const std::function<void()>& start) {
    D().show();
    bool closed = false;
    AtEveryYield watch([&] {
      if (!closed && frmImport::IsLoaded() && D().ImportScanBusy) {
        closed = true;
        D().close();
        EXPECT_TRUE(frmImport::IsLoaded()) << "the run still holds the window";
      }
    });
    start();
    QApplication::processEvents();
    return closed;
  }
  // Rows for every name, from one folder.
  void Rows(const std::vector<std::string>& names, const std::string& folder) {
    for (const std::string& n : names) D().AddRow(n, folder);
  }
  // Ticks the options: links only, overwrite photos, overwrite info files, auto-name.
  void Options(bool links, bool photos = false, bool infos = false, bool autoName = false) {
    D().chkOptions[3]->setChecked(links);
    D().chkOptions[0]->setChecked(photos);
    D().chkOptions[1]->setChecked(infos);
    D().chkOptions[2]->setChecked(autoName);
  }
  std::string Setting(const std::string& key) {
    return gSettings.GetDravenholtSetting(kAppName, "Import", key, "<none>");
  }
  std::vector<std::string> Infos() const { return qm::ListFiles(InfoFolder, "*"); }
  std::vector<std::string> Thumbs() const { return qm::ListFiles(ThumbnailsFolder, "*"); }
  std::vector<std::string> Rows1() const {
    std::vector<std::string> out;
    for (int r = 0; r < D().List1->count(); ++r) out.push_back(D().RowName(r));
    return out;
  }
  std::vector<std::string> Rows2() const {
    std::vector<std::string> out;
    for (int r = 0; r < D().List2->count(); ++r) out.push_back(D().RowFolder(r));
    return out;
  }
  // The text of the last message box, "" when none came.
  std::string LastMessage() const { return prompter.Prompts().empty() ? "" : prompter.Prompts().back().text; }
};

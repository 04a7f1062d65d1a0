#pragma once
// What the export tests share: an archive with photos, thumbnails and
// information files, a selection in the main window's state, and the export
// dialog opened on a destination folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "search_export/frmExport.h"
#include "search_export/frmExport_lists.h"
#include "support/pictures.h"
#include "support/temp_archive.h"

// What an export writes, as the dialog's boxes and options say.
struct Ticks {
  bool photo = true, thumb = false, info = false;
  bool csv = true;        // else the information files themselves
  bool overwrite = true;  // else "Append (CSV only)"
};

class ExportTest : public TempArchive {
protected:
  void SetUp() override {
    TempArchive::SetUp();
    std::filesystem::create_directories(Dest());
  }
  void TearDown() override {
    if (frmExport::IsLoaded()) frmExport::Unload();
    QApplication::processEvents();
    TempArchive::TearDown();
  }

  std::string Dest() const { return Path("out"); }
  std::string Out(const std::string& name) const { return Read("out/" + name); }
  bool OutHas(const std::string& name) const { return Exists("out/" + name); }

  // A photo with its information file and a bitmap thumbnail.
  void AddFull(const std::string& name) {
    AddPhoto(name, "photo of " + name);
    QImage thumb(10, 8, QImage::Format_RGB32);
    thumb.fill(Qt::darkCyan);
    Write("Photo_Thumbnails/" + name, EncodedImage(thumb, "BMP"));
  }
  // Full photos named p1.jpg .. pN.jpg, all of them the loaded group, all selected.
  std::vector<std::string> NumberedGroup(int n) {
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i) names.push_back("p" + std::to_string(i) + ".jpg");
    FullGroup(names);
    return names;
  }
  // Full photos, all of them the loaded group, all selected.
  void FullGroup(const std::vector<std::string>& names) {
    for (const auto& n : names) AddFull(n);
    Group(names, names);
  }
  // The loaded group's photos, the listed ones selected.
  static void Group(const std::vector<std::string>& names, const std::vector<std::string>& selected) {
    PhotoNames = {""};
    SelectedFlags = {0};
    for (const auto& n : names) {
      PhotoNames.push_back(n);
      SelectedFlags.push_back(std::count(selected.begin(), selected.end(), n) ? 1 : 0);
    }
    gAlbumState.PhotoCount = std::int32_t(names.size());
  }
  frmExport& Open(const std::string& folder = "") {
    gSettings.SetDravenholtSetting(kAppName, "Export", "LastPath", folder.empty() ? Dest() : folder);
    return frmExport::Get();
  }
  static void Set(frmExport& f, const Ticks& t) {
    f.chkExport[0]->setChecked(t.photo);
    f.chkExport[1]->setChecked(t.thumb);
    f.chkExport[2]->setChecked(t.info);
    f.optExportInfo[t.csv ? 1 : 0]->setChecked(true);
    f.optExportInfo[t.overwrite ? 2 : 3]->setChecked(true);
  }
  // Runs an export, answering each message it shows with OK; returns their texts.
  std::vector<std::string> Export(frmExport& f, int messages = 0) {
    const size_t before = prompter.Prompts().size();
    for (int i = 0; i < messages; ++i) prompter.ExpectMsg(qm::MsgAnswer::OK);
    f.cmdExport_Click();
    std::vector<std::string> texts;
    for (size_t i = before; i < prompter.Prompts().size(); ++i) texts.push_back(prompter.Prompts()[i].text);
    return texts;
  }
  // The program's temporary files in a folder.
  static std::vector<std::string> TempFilesIn(const std::string& folder) {
    std::vector<std::string> out;
    for (const std::string& n : AllEntries(folder))
      if (n.rfind(".qm-tmp", 0) == 0) out.push_back(n);
    return out;
  }
  static std::vector<std::string> Listed(const frmExport& f) {
    std::vector<std::string> out;
    for (int i = 0; i < f.List1->count(); ++i)
      out.push_back(f.List1->item(i)->data(Qt::UserRole).toByteArray().toStdString());
    return out;
  }
};

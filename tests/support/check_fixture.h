#pragma once
// A program folder for the start-up check: photos with up-to-date thumbnails, the
// AutoFix option and the splash window's bar.
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QPushButton>
#include <string>

#include "archive/frmSplash.h"
#include "core/CDravenholtReg.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "support/temp_archive.h"
#include "support/yield_watch.h"

class CheckTest : public TempArchive {
protected:
  void TearDown() override {
    frmSplash::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TempArchive::TearDown();
  }

  void SetAutoFix(const std::string& value) { gSettings.SetDravenholtSetting(kAppName, "Options", "AutoFix", value); }

  // A photo, its information file and a thumbnail dated like the photo.
  void AddCheckedPhoto(const std::string& name, std::int64_t time = 1500000000) {
    AddPhoto(name);
    Write("Photo_Thumbnails/" + name, "BM-thumbnail");
    SetTime("Photos/" + name, time);
    SetTime("Photo_Thumbnails/" + name, time);
  }

  // An information file whose photo is gone.
  void AddOrphan(const std::string& name) {
    Write("Photo_Info/" + name + ".info", CrLf({"PhotoPath=\\Photos\\" + name, "TITLE=" + name}));
  }

  int BarWidth() { return frmSplash::Get().pctProgress->width(); }
  int FullBar() { return frmSplash::Get().shpProgress->width(); }
};

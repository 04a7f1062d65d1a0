#include "archive/archivecheck.h"

#include <vector>

#include "archive/frmSplash.h"
#include "archive/splash_progress.h"
#include "core/CDravenholtReg.h"
#include "core/archive_rules.h"
#include "core/archive_utils.h"
#include "core/check_progress.h"
#include "core/errorlog.h"
#include "core/groupcleanup.h"
#include "core/infofile.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "intake/frmThumbnail.h"
#include "platform/files.h"
#include "platform/on_error.h"
#include "platform/prompter.h"
#include "platform/runtime_error.h"
#include "platform/ui_runtime.h"

namespace {

// Each step covers a quarter of the bar. Photos put in by hand get their
// information file before the thumbnails are looked at, so they get their
// thumbnail at the start that finds them.
constexpr float kPhotosStart = 0.0f;
constexpr float kInfoStart = 0.25f;
constexpr float kThumbnailsStart = 0.5f;

// The names of a folder's files as the splash window's lister shows them. They are
// copied out because the loops yield, and a yield may take the window away.
std::vector<std::string> ListFolder(const std::string& folder) {
  qm::FileList& list = frmSplash::Get().File1;
  list.Path = folder;
  list.Refresh();
  std::vector<std::string> names;
  names.reserve(size_t(list.ListCount()));
  for (int i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
  return names;
}

// Hands each file of the folder to visit, moving the bar on from start after each.
// False when the user asked to skip the rest of the check, or when the folder could
// not be walked (logged under procName). Every step reads or fills the information
// folder, so a missing one fails each of them.
template <class Visit>
bool WalkFolder(const std::string& folder, const char* procName, float start, Visit visit) {
  try {
    RequireInfoFolder();
    const std::vector<std::string> items = ListFolder(folder);
    for (size_t i = 0; i < items.size(); ++i) {
      visit(items[i]);
      StepCheckProgress(start, i, items.size());
      if (BypassAutoCheck) return false;
    }
    return true;
  } catch (const qm::RuntimeError& e) {
    LogError(procName, e);
    return false;
  }
}

bool Confirmed(const std::string& text, const std::string& title) {
  return qm::MsgBox(text, qm::MsgButtons::YesNo, title) == qm::MsgAnswer::Yes;
}

}  // namespace

void UpdateSplashProgress(float Value, int Total) {
  if (Total <= 0 || !(Value >= 0 && Value <= float(Total))) return;
  // After start-up the splash window is gone, and a late caller must not bring it back.
  if (!frmSplash::IsLoaded()) return;
  frmSplash& splash = frmSplash::Get();
  const int width = int(Value / float(Total) * float(splash.shpProgress->width()) + 0.5f);
  splash.pctProgress->resize(width, splash.pctProgress->height());
  qm::DoEvents();
}

bool PhotoFilesExist(bool AutoFix) {
  std::vector<std::string> missing(1);  // filled from position 1
  if (!WalkFolder(InfoFolder, "PhotoFilesExist", kPhotosStart, [&](const std::string& item) {
        if (PhotoIsMissing(item)) missing.push_back(item);
      }))
    return false;
  const size_t count = missing.size() - 1;
  if (count == 0) return false;

  if (!AutoFix) {
    if (!Confirmed("Quillmont has detected " + std::to_string(count) +
                       " INFO file(s) without corresponding photo/image file(s).\n"
                       "Move the INFO files to the 'Removed' folder?",
                   "Missing Photo/Image File(s)"))
      return false;
    if (!Confirmed("Are you sure?", "Removed unassociated INFO file(s)")) return false;
  }
  // A file that cannot be set aside stays where it is, and the others still go.
  for (size_t k = 1; k < missing.size(); ++k) SetAsideInfoFile(missing[k]);
  return false;
}

bool ThumbnailFilesExist(bool AutoFix) {
  std::vector<std::string> missing(1);  // photo names, from position 1
  if (!WalkFolder(InfoFolder, "ThumbnailFilesExist", kThumbnailsStart, [&](const std::string& item) {
        std::string photoName;
        if (ThumbnailNeedsBuilding(item, photoName)) missing.push_back(photoName);
      }))
    return false;
  const size_t count = missing.size() - 1;
  if (count == 0) return false;

  if (!AutoFix &&
      !Confirmed("Quillmont has detected " + std::to_string(count) +
                     " photo/image file(s) with missing or out-of-date corresponding thumbnail(s). Press 'YES' "
                     "create thumbnail(s). Press 'NO' to ignore.",
                 "Build Thumbnails"))
    return false;
  frmThumbnail& builder = frmThumbnail::Get();
  builder.SetMissingList(missing);
  builder.exec();
  return false;
}

bool InfoFilesExist() {
  WalkFolder(PhotosFolder, "InfoFilesExist", kInfoStart, [](const std::string& photo) {
    if (IsInfoFileName(photo)) return;
    const std::string why = WhyNoInfoFile(photo);
    if (!why.empty()) {
      WriteLog(LogFilePath(), "InfoFilesExist: the photo " + ShownName(photo) + " is left alone: " + why);
      return;
    }
    // A file that cannot be looked up may still be there, with the user's words.
    const std::string infoPath = InfoFolder + photo + ".info";
    if (InfoFileAbsent(infoPath)) CreateInfoFile(infoPath, LinkForPhotoInFolder(photo));
  });
  return false;
}

bool CheckFolderContents() {
  // A stored value that is no truth value is logged, and the check then asks before
  // it touches anything, as if the value were False.
  bool autoFix = false;
  try {
    autoFix = ToTruthValue(gSettings.GetDravenholtSetting(kAppName, "Options", "AutoFix", "True"));
  } catch (const qm::RuntimeError& e) {
    LogError("CheckFolderContents", e);
    autoFix = false;
  }
  if (!BypassAutoCheck) PhotoFilesExist(autoFix);
  if (!BypassAutoCheck) InfoFilesExist();
  if (!BypassAutoCheck) ThumbnailFilesExist(autoFix);
  if (!BypassAutoCheck) Create_AllPhotos_Group(kAllPhotosFile);
  UpdateSplashProgress(1, 1);
  return false;
}

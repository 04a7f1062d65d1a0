#pragma once
// The archive check of every start: information files without a photo, missing or
// out-of-date thumbnails, photos without an information file, the all-photos group.
#include <string>

bool CheckFolderContents();
bool PhotoFilesExist(bool AutoFix);
bool ThumbnailFilesExist(bool AutoFix);
bool InfoFilesExist();

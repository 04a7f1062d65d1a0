#pragma once
// The archive check of every start, in this order: information files without a
// photo, photos without an information file, missing or out-of-date thumbnails,
// the all-photos group.
#include <string>

bool CheckFolderContents();
bool PhotoFilesExist(bool AutoFix);
bool ThumbnailFilesExist(bool AutoFix);
bool InfoFilesExist();

#pragma once
// Taking photos out of the program: their files go into the Removed folders
// beside them, so the user can bring a photo back by hand.
#include <string>
#include <vector>

struct PhotoRemovalResult {
  std::vector<std::string> removed;     // photos whose information file is gone
  std::vector<std::string> keptPhotos;  // photos left in the program whole
  std::vector<std::string> leftFiles;   // files of removed photos that could not be deleted
};

// Makes the Removed folders of the photo, information and audio folders.
void MakeRemovedFolders();

// Sets aside one photo: its files in the archive's folders (the information file,
// the photo when it lies in the photo folder, the clip) are first all copied into
// their Removed folders and the copies verified. Only then are the originals and
// the thumbnail deleted, the information file first; when any copy fails nothing
// of the photo is deleted and the copies just made are taken back. Files that are
// not there are passed over.
void RemovePhotoFiles(const std::string& name, PhotoRemovalResult& result);

// The photos flagged in SelectedFlags, each name once.
PhotoRemovalResult RemoveSelectedPhotoFiles();

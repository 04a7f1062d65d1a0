#pragma once
// Taking photos out of the program: their files go into the Removed folders
// beside them, so the user can bring a photo back by hand.
#include <string>
#include <vector>

struct PhotoRemovalResult {
  std::vector<std::string> removed;     // photos whose information file is gone
  std::vector<std::string> keptPhotos;  // photos left in the program whole
  std::vector<std::string> leftFiles;   // files of photos that cannot be moved or deleted
};

// Makes the Removed folders of the photo, information and audio folders.
void MakeRemovedFolders();

// Sets aside one photo: the photo first, and only once it is out of the photo
// folder (or was never in it, as a linked photo) its clip and information file;
// then its thumbnail is deleted. Files that are not there are passed over.
void RemovePhotoFiles(const std::string& name, PhotoRemovalResult& result);

// The photos flagged in SelectedFlags, each name once.
PhotoRemovalResult RemoveSelectedPhotoFiles();

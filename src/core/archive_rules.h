#pragma once
// The archive check's decisions, without windows or questions.
#include <string>

// Photo names whose thumbnail is missing, empty or (outside read-only mode) dated
// differently from the photo.
bool ThumbnailNeedsBuilding(const std::string& infoName, std::string& photoName);
// The link a new information file gets for a photo found in PhotosFolder.
std::string LinkForPhotoInFolder(const std::string& fileName);
// Moves an information file into InfoFolder + "Removed/"; the original is deleted
// only after its copy there is verified. False when it stays in place.
bool SetAsideInfoFile(const std::string& name);

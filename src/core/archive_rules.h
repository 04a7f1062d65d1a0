#pragma once
// The archive check's decisions, without windows or questions, and the archive's
// folders and files as the file system knows them.
#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Throws qm::RuntimeError 76 naming the folder when the information folder does
// not exist: a setting naming a folder that is not there (an unmounted disc) must
// not read as an archive without photos.
void RequireInfoFolder();
// The archive's own folders (photos, thumbnails, information, groups, clips, MIDI
// files), each followed by its Removed folder.
std::vector<std::string> ArchiveFolders();
// A file's identity, whatever links or names lead to it.
using FileId = std::pair<dev_t, ino_t>;
// The identity of the file path names, links followed; nullopt when there is none.
std::optional<FileId> IdOf(const std::string& path);

// Photo names whose thumbnail (ThumbnailsFolder + photo name) is missing, empty or
// (outside read-only mode) dated differently from the photo. A photo on a medium
// that is not mounted, or whose name breaks lines, is never listed, nor a file that
// is no information file.
bool ThumbnailNeedsBuilding(const std::string& infoName, std::string& photoName);
// True when the information file's photo is gone, so the file is to be set aside;
// never for a file that is no information file.
// A photo outside the program folder whose folder is missing or empty lies on a
// medium that is not mounted: it is not gone (one log line).
bool PhotoIsMissing(const std::string& infoName);
// A photo outside the program folder whose folder is missing or holds nothing.
bool OnAbsentMedium(const std::string& photoPath);
// A name holding CR or LF cannot stand in a link or a group list.
bool NameBreaksLines(const std::string& name);
// Why a photo of the photo folder can have no information file ("" when it can).
// An information file there (the two folders may be one) is no photo: the check
// passes it over without a word.
std::string WhyNoInfoFile(const std::string& photoName);
// True only when the file is certainly not there ("file not found").
bool InfoFileAbsent(const std::string& infoPath);
// Deletes the file; true when it is gone, also when it was not there to begin with.
bool DeletedOrAbsent(const std::string& path);
// The link a new information file gets for a photo found in PhotosFolder.
std::string LinkForPhotoInFolder(const std::string& fileName);
// Moves folder + name into folder + "Removed/". An identical copy there already
// means the original just goes; a different one is kept, and this copy takes the
// next free numbered name ("a.jpg (2).info"). The original is deleted only after
// its copy is verified. False when it stays in place.
bool SetAsideFile(const std::string& folder, const std::string& name);
// The verified copy SetAsideFile makes, the original left in place: an identical
// copy there already serves. A Removed folder that is a link takes nothing.
// Returns the copy made now ("" when one was there);
// throws qm::RuntimeError when none could be made.
std::string CopyIntoRemoved(const std::string& folder, const std::string& name);
// Whether folder's Removed folder is a symbolic link (and so no part of the archive).
bool RemovedFolderIsLink(const std::string& folder);
// CopyIntoRemoved as a truth value: true when a verified copy is there; madeCopy,
// when given, receives the path of a copy made by this call.
bool CopyAsideFile(const std::string& folder, const std::string& name, std::string* madeCopy = nullptr);
bool SetAsideInfoFile(const std::string& name);
// name with " (n)" before its extension; n of 1 or less is the name itself.
std::string NumberedName(const std::string& name, int n);
// A name fit for a log line: CR and LF shown as "<CR>" and "<LF>".
std::string ShownName(const std::string& name);

#pragma once
// One row of the import run, on the files: the checks of its source, the copy or
// link, its information file, and an earlier photo of its name set aside. A row
// that fails leaves the photo and information folders as they were before it, and
// no row deletes or replaces the file it reads.
#include <string>

namespace import_rules {
class ArchiveFiles;
}

struct ImportRowOptions {
  bool overwritePhoto = false;  // "Overwrite existing photos in album"
  bool overwriteInfo = false;   // "Overwrite existing photos info files"
  bool linksOnly = true;        // "Create photo links only (No copies to local dir)"
};

// Reasons a row is refused, as the run's report shows them.
inline const char* const kRowArchiveFile = "The file is already part of the archive";
inline const char* const kRowEmptyFile = "The file is empty";
inline const char* const kRowInfoNotWritten = "The information file could not be written";
inline const char* const kRowNotSetAside = "The earlier photo could not be set aside";

// Brings source into the archive under the destination name, which must be a plain
// file name. Returns "" when the photo entered, else the reason it did not.
std::string ImportFile(const std::string& source, const std::string& name, const ImportRowOptions& options,
                       import_rules::ArchiveFiles& archive);

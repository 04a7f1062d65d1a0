#pragma once
// What an export may write: photo names that stay inside the destination folder,
// and destinations that would replace a file of the archive itself.
#include <string>
#include <vector>

// A photo name that, joined to the destination folder, names a file in it: not
// empty, no "/", and not "." or "..".
bool IsExportableName(const std::string& name);

// Why an export into the folder dest must be refused, or "" when it may go on.
// targets are the files the export would write or delete there. It is refused when
// dest is the program folder or one of the archive's own folders or their Removed
// folders (by folder identity, so links count), or
// when a target is the very file of a photo of the archive (a photo linked from
// that place, or the same file by another name).
std::string ExportRefusal(const std::string& dest, const std::vector<std::string>& targets);

// Why records must not be appended to the CSV file at csvPath, or "" when they may:
// a symbolic link, a file with other hard links or anything but a plain file would
// carry the records into some other file.
std::string CsvAppendRefusal(const std::string& csvPath);

#pragma once
// Running the archive from a write-protected medium: the information and group
// folders move to per-disc copies under the installation folder.
#include <string>

void CheckDirPaths();
// The error of a write probe in the folder (a file made, one byte written and the
// file removed): 0 when it worked.
int WriteProbeError(const std::string& FolderPath);
// True only when the folder is write-protected (a read-only file system, no
// permission); then ReadOnlyArchive is set. Any other failure gives false and, when
// asked for, its error.
bool IsReadOnlyFolder(const std::string& FolderPath, int* otherFailure = nullptr);
// Tells the user that the program folder cannot be written, and why.
void TellFolderUnwritable(const std::string& folder, int err);
std::string GetCDFolderName(const std::string& ProgramFolder);
bool CopyNewerFiles(const std::string& Pattern, const std::string& DestFolder);
bool CreateFolderPath(const std::string& FolderPath);

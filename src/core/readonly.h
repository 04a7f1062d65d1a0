#pragma once
// Running the archive from a write-protected medium: the information and group
// folders move to per-disc copies under the installation folder.
#include <string>

void CheckDirPaths();
bool IsReadOnlyFolder(const std::string& FolderPath);
std::string GetCDFolderName(const std::string& ProgramFolder);
bool CopyNewerFiles(const std::string& Pattern, const std::string& DestFolder);
bool CreateFolderPath(const std::string& FolderPath);

#pragma once
// The program folder, from one place: the executable's folder, or the folder a test
// set. No trailing "/"; at the file system's root it is the empty string.
#include <string>

namespace qm {

std::string ProgramFolder();
void SetProgramFolderForTests(const std::string& folder);

}  // namespace qm

#pragma once
// Opening a document with the desktop, and unloading every window but one.
#include <string>

int OpenWithShell(const std::string& Path, int ShowCmd);
void UnloadOtherForms(const std::string& FormName);

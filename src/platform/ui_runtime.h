#pragma once
// Small services of the window runtime: yielding to the message loop, the screen's
// mouse pointer, opening a document with the desktop, and starting a program.
#include <functional>
#include <string>

namespace qm {

void DoEvents();

enum class Pointer { Default = 0, Hourglass = 11, NoDrop = 12, ArrowHourglass = 13, SizeAll = 15 };
void SetScreenPointer(Pointer p);
Pointer ScreenPointer();

// Opens a file with the desktop's handler. Returns a value above 32 on success and
// 2 (file not found) or 31 (no handler) otherwise, as callers expect.
int ShellOpen(const std::string& path);

// Stands in for the desktop's handler (tests watch what is opened); an empty
// function puts the desktop back. Returns the one it replaces.
using ShellOpener = std::function<int(const std::string& path)>;
ShellOpener SetShellOpener(ShellOpener opener);

// Starts a program file as a process of its own, not waited for. False when it
// cannot be started (missing, not executable).
bool StartProgram(const std::string& path);

}  // namespace qm

#pragma once
// Small shared procedures: splitting texts and paths.
#include <string>
#include <vector>

// Fills Parts[0..MaxParts-1] with the fields of Text split at any character of Delims,
// each trimmed of blanks. Parts is resized to MaxParts + 1 (the element at MaxParts
// stays empty); the text after the MaxParts-th delimiter is not read.
void SplitString(const std::string& Text, const std::string& Delims, std::vector<std::string>& Parts, int MaxParts);
// Splits at the last "/": Folder keeps the "/", FileName is the rest.
void SplitFilePath(const std::string& Path, std::string& Folder, std::string& FileName);
// A name that, joined to a folder, names a file in that very folder: not empty,
// no "/" and no NUL, and not "." or "..".
bool IsPlainFileName(const std::string& name);

#pragma once
// Reading a text file a line at a time, so a reader that needs one line, or only
// the values seen so far, holds no more than the line in hand.
#include <functional>
#include <string>

namespace qm {

// Calls visit with each line of the file (line ends as ReadTextLines takes them)
// until it returns false. Throws RuntimeError when the file cannot be read.
void ForEachTextLine(const std::string& path, const std::function<bool(const std::string&)>& visit);

}  // namespace qm

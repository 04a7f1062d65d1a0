#pragma once
// File services of our runtime layer. Paths are byte strings with "/" separators;
// names pass through unchanged. Failures throw qm::RuntimeError with the runtime's
// numbers (53 file not found, 76 path not found, 70 permission denied, ...).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

// Regular files of a folder whose names match a wildcard pattern ("*", "?", case
// folded), hidden names (leading ".") left out, sorted by ASCII-folded name.
// A missing folder lists nothing; one that cannot be read throws.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern = "*");
// The folders in a folder (links to folders too), listed and sorted as ListFiles lists files.
std::vector<std::string> ListFolders(const std::string& folder);
bool MatchesPattern(const std::string& name, const std::string& pattern);
// Ascending order with ASCII case folded, ties by bytes.
bool FoldedLess(const std::string& a, const std::string& b);

bool FileExists(const std::string& path);   // a regular file
bool FolderExists(const std::string& path);
// The longest name in bytes the folder's file system takes (255 when unknown).
std::size_t NameMax(const std::string& folder);
// A folder that can be read and holds at least one entry of any kind.
bool FolderHasEntries(const std::string& path);
// A regular file that a listing would show (exists and its name is not hidden).
bool IsNormalFile(const std::string& path);
std::int64_t FileLen(const std::string& path);
// A regular file opened for reading by its name's bytes: a descriptor the caller
// closes, or -1 when it cannot be opened or is a folder, a pipe or a device, which
// is refused without blocking.
int OpenRegularFile(const std::string& path);
// Last-write time in whole seconds since the epoch.
std::int64_t FileDateTime(const std::string& path);
// Sets the last-write time to whole seconds; the access time is kept.
bool SetFileModified(const std::string& path, std::int64_t seconds);

void MakeFolder(const std::string& path);    // throws 75 when it exists
void DeleteFile(const std::string& path);
void RenameFile(const std::string& from, const std::string& to);
// Renames without ever replacing a file of the new name (throws 58, file already
// exists, instead), also on file systems that cannot rename exclusively.
void RenameFileNoReplace(const std::string& from, const std::string& to);
// Creates an empty file; throws 58 when a file of that name is there already.
void CreateNewFile(const std::string& path);
// Copies, comparisons and writers take only regular files: a FIFO, a device (or a
// link to one) or a folder is a failure (75), never waited on or read without end.
// Writers never write through a link: a file to be written that is a symbolic link,
// or has other names (hard links), is refused (75) and left as it is.
// Plain copy over any existing destination.
void CopyFile(const std::string& from, const std::string& to);
// Copies through a temporary file in the destination folder, checks the copy's
// length, optionally gives it the source's last-write time, then renames it into
// place, so the destination is never left half written.
void CopyFileSafely(const std::string& from, const std::string& to, bool keepTime);
// The first half of CopyFileSafely: the checked copy in a temporary file beside
// to, whose name it returns; the caller renames it into place or deletes it.
std::string CopyToTempBeside(const std::string& from, const std::string& to, bool keepTime);

std::string ReadFileBytes(const std::string& path);
// The whole file when it holds at most limit bytes; nullopt for a longer one,
// of which no more than about limit bytes are ever held.
std::optional<std::string> ReadFileBytesUpTo(const std::string& path, std::size_t limit);
// Whether two files hold the same bytes, compared a chunk at a time.
bool SameFileContents(const std::string& a, const std::string& b);
// The most of one line a line-by-line reader holds, in bytes.
inline constexpr std::size_t kMaxTextLine = 64 * 1024;
// Lines of a text file; CR LF, LF and a lone CR end a line, and a last line
// without a line end is still a line. A line longer than maxLength comes as its
// first maxLength bytes (the rest is read past, never held), so a line of
// gigabytes costs no more than that; a file of more lines than memory holds
// throws 7 (out of memory) instead of ending the program.
std::vector<std::string> ReadTextLines(const std::string& path, std::size_t maxLength = kMaxTextLine);
std::vector<std::string> SplitTextLines(const std::string& text);
// Calls visit with each line of the file, as ReadTextLines takes them, until it
// returns false; a reader that needs one line, or only the values seen so far,
// never holds the whole file. A line longer than maxLength comes as its first
// maxLength bytes with cut set; the rest of it is read past, never held.
using TextLineVisitor = std::function<bool(const std::string& line, bool cut)>;
void ForEachTextLine(const std::string& path, const TextLineVisitor& visit, std::size_t maxLength = kMaxTextLine);
// The same walk for a reader that copies lines as they stand: each comes with its
// own line end ("\r\n", "\n", "\r", or "" for a last line without one).
using RawTextLineVisitor = std::function<bool(const std::string& line, const char* end, bool cut)>;
void ForEachRawTextLine(const std::string& path, const RawTextLineVisitor& visit,
                        std::size_t maxLength = kMaxTextLine);
// Writes the whole file to a temporary file in the same folder and renames it over
// the original; on failure, or when the original is a link, it is left as it was.
// Lines end in CR LF.
// A file that is cheap to make again may skip the flush to disc (durable false):
// after a crash it may be missing or empty, but never half replaced by a reader.
void ReplaceFileAtomically(const std::string& path, const std::string& content, bool durable = true);
void WriteTextLinesAtomically(const std::string& path, const std::vector<std::string>& lines);
// Appends lines (CR LF); a last line without a line end is ended first, so two
// entries are never glued together. A missing file is created. A write that fails
// part way cuts the file back to its old length, so no half line is left.
void AppendTextLines(const std::string& path, const std::vector<std::string>& lines);

// A file opened once for the appends of a whole command, so every line goes to the
// file that was checked, whatever is put under its name meanwhile. A missing file
// is made. Each Append writes whole lines as AppendTextLines does, once more
// checking that the file has no other name; a file this open made that never took
// a line goes again when it is closed.
class AppendFile {
public:
  explicit AppendFile(const std::string& path);
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;
  // Made by this open and not written to yet.
  bool IsNew() const { return created_ && !written_; }
  void Append(const std::vector<std::string>& lines);
  // The file's length now.
  std::int64_t Size() const;
  // Takes back what was appended past size; a file this open made, cut back to
  // nothing, goes when it is closed.
  void CutBack(std::int64_t size);
  // Closes the file; throws when the close reports a failed write.
  void Close();

private:
  // Closes quietly, taking away a file this open made and never wrote.
  int Release();

  std::string path_;
  int fd_ = -1;
  bool created_ = false, written_ = false;
};

// The program's own temporary files are named as this template, mkstemp putting six
// letters or digits in place of the X's; no other name is ever taken for one.
inline constexpr char kTempNameTemplate[] = ".qm-tmp-XXXXXX";
bool IsTempFileName(const std::string& name);
// Removes the program's own temporary files from a folder once they were made more
// than an hour ago (their status change, which a copy's kept time does not touch):
// a killed run left them, while a copy still running renames its own within moments.
void RemoveStaleTempFiles(const std::string& folder);

// Folder and file name parts of an internal path.
std::string ParentFolder(const std::string& path);
std::string BaseName(const std::string& path);

std::string ToUpperAscii(std::string s);
bool EqualsNoCase(const std::string& a, const std::string& b);

}  // namespace qm

#pragma once
// The comma-separated export file "Quillmont_Info.csv": the line "CSV", a header,
// then one record a photo with the values of its information file.
#include <array>
#include <optional>
#include <string>
#include <utility>

#include "platform/files.h"

inline const std::string kCsvFileName = "Quillmont_Info.csv";
inline const std::string kCsvHeader =
    "InfoFile,Event,Keywords,People,Photographer,Place,Title,Year,ImageWidth,ImageHeight";
// The keys of an information file behind the nine columns after InfoFile.
inline constexpr std::array<const char*, 9> kCsvKeys = {"EVENT", "KEYWORDS", "PEOPLE", "PHOTOGRAPHER", "PLACE",
                                                        "TITLE", "YEAR", "IMAGEWIDTH", "IMAGEHEIGHT"};

using CsvValues = std::array<std::string, kCsvKeys.size()>;

// The values of the nine keys in the information file at infoPath: the text after
// the first "=", untrimmed; a missing key is empty and the last occurrence counts.
// Throws qm::RuntimeError when the file cannot be read, or when one of those
// values is longer than the line reader holds.
CsvValues ReadCsvValues(const std::string& infoPath);
// A value as a field: quoted, with its double quotes doubled, when it holds a
// comma, a double quote or a line end; otherwise unchanged.
std::string CsvField(const std::string& value);
// The record line (without its line end): the information file's name and the values.
std::string CsvRecord(const std::string& infoName, const CsvValues& values);
// The CSV file of one export: opened at its first record, never through a link,
// and kept open for the rest of the export, so every record goes to the file that
// was checked, whatever is put under its name meanwhile.
class CsvExportFile {
public:
  explicit CsvExportFile(std::string path) : path_(std::move(path)) {}
  // Adds the record of InfoFolder + InfoName, first writing "CSV" and the header
  // when the file did not exist yet. On a failure nothing of the record is written,
  // the result is false and why (when given) tells the reason; a file that could
  // not be opened fails every record.
  bool Append(const std::string& InfoName, std::string* why = nullptr);
  // Closes the file; throws qm::RuntimeError when the close reports a failed write.
  void Close();

private:
  std::string path_;
  std::optional<qm::AppendFile> file_;
  std::string openFailure_;
};
// One record through a CsvExportFile of its own.
bool AppendCsvRecord(const std::string& InfoName, const std::string& CsvPath, std::string* why = nullptr);

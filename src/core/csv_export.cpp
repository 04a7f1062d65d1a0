#include "core/csv_export.h"

#include <algorithm>
#include <vector>

#include "core/modquillmont.h"
#include "platform/runtime_error.h"

CsvValues ReadCsvValues(const std::string& infoPath) {
  CsvValues values;
  std::array<bool, kCsvKeys.size()> cut{};
  qm::ForEachTextLine(infoPath, [&](const std::string& line, bool lineCut) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) return true;
    const std::string key = qm::ToUpperAscii(line.substr(0, eq));
    for (size_t k = 0; k < kCsvKeys.size(); ++k) {
      if (key != kCsvKeys[k]) continue;
      values[k] = line.substr(eq + 1);
      cut[k] = lineCut;
    }
    return true;
  });
  // A record of a value cut short would pass for the photo's information.
  if (std::find(cut.begin(), cut.end(), true) != cut.end())
    throw qm::RuntimeError(qm::ErrPathFileAccess,
                           "A value is longer than " + std::to_string(qm::kMaxTextLine / 1024) + " KiB");
  return values;
}

std::string CsvField(const std::string& value) {
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CsvRecord(const std::string& infoName, const CsvValues& values) {
  std::string line = CsvField(infoName);
  for (const std::string& v : values) line += "," + CsvField(v);
  return line;
}

bool CsvExportFile::Append(const std::string& InfoName, std::string* why) {
  try {
    const std::string record = CsvRecord(InfoName, ReadCsvValues(InfoFolder + InfoName));
    if (!file_ && openFailure_.empty()) {
      try {
        file_.emplace(path_);
      } catch (const qm::RuntimeError& e) {
        openFailure_ = e.Description();
      }
    }
    if (!file_) throw qm::RuntimeError(qm::ErrPathFileAccess, openFailure_);
    std::vector<std::string> lines;
    if (file_->IsNew()) lines = {"CSV", kCsvHeader};
    lines.push_back(record);
    file_->Append(lines);
    return true;
  } catch (const qm::RuntimeError& e) {
    if (why) *why = e.Description();
    return false;
  }
}

void CsvExportFile::Close() {
  if (file_) file_->Close();
}

bool AppendCsvRecord(const std::string& InfoName, const std::string& CsvPath, std::string* why) {
  CsvExportFile file(CsvPath);
  if (!file.Append(InfoName, why)) return false;
  try {
    file.Close();
    return true;
  } catch (const qm::RuntimeError& e) {
    if (why) *why = e.Description();
    return false;
  }
}

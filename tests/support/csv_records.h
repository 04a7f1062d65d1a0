#pragma once
// Reads CSV text strictly as RFC 4180 has it, to check what a writer produced:
// fields split by commas, every record ended by CR LF, a field in double quotes
// may hold commas, line ends and doubled double quotes.
#include <string>
#include <vector>

using CsvRecords = std::vector<std::vector<std::string>>;

// False when the text breaks the format: a stray or unclosed quote, or a record
// that is not ended by CR LF.
inline bool ParseCsvRecords(const std::string& text, CsvRecords& records) {
  records.clear();
  std::vector<std::string> record;
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    std::string field;
    if (text[i] == '"') {
      for (++i;; ++i) {
        if (i >= n) return false;
        if (text[i] != '"') {
          field += text[i];
        } else if (i + 1 < n && text[i + 1] == '"') {
          field += text[++i];
        } else {
          ++i;
          break;
        }
      }
    } else {
      for (; i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n'; ++i) {
        if (text[i] == '"') return false;
        field += text[i];
      }
    }
    record.push_back(field);
    if (i < n && text[i] == ',') {
      if (++i == n) return false;
      continue;
    }
    if (text.compare(i, 2, "\r\n") != 0) return false;
    i += 2;
    records.push_back(record);
    record.clear();
  }
  return true;
}

#include "core/sound_links.h"

#include <exception>

#include "core/archive_utils.h"
#include "core/modquillmont.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace soundlinks {
namespace {

const char* TagOf(bool midi, bool linked) {
  if (midi) return linked ? "[midi]" : "[    ]";
  return linked ? "[wav]" : "[   ]";
}

// Both tags of a mode have the same length: 6 for songs, 5 for clips.
std::size_t TagLength(bool midi) { return midi ? 6 : 5; }

}  // namespace

bool IsSafeSoundName(const std::string& name) { return IsPlainFileName(name); }

std::string SoundFileOf(bool midi, const std::string& name) {
  if (!IsSafeSoundName(name)) return {};
  return midi ? MidiFolder + name + ".mid" : AudioFolder + name + ".wav";
}

std::string RowText(bool midi, bool linked, const std::string& name) {
  return std::string(TagOf(midi, linked)) + " : " + name;
}

std::string Retag(const std::string& row, bool midi, bool linked) {
  const std::size_t n = TagLength(midi);
  return TagOf(midi, linked) + (row.size() > n ? row.substr(n) : std::string());
}

std::string RowName(const std::string& row, bool midi) {
  const std::size_t n = TagLength(midi) + 3;
  return row.size() > n ? row.substr(n) : std::string();
}

std::string ApplyPendingLink(bool midi, const std::string& name, const std::string& source, bool overwrite) {
  const std::string target = SoundFileOf(midi, name);
  // A name such as "../x" would put the file outside the sound folder.
  if (target.empty()) return "Bad file name or number";
  try {
    if (source.empty()) {
      if (qm::FileExists(target)) qm::DeleteFile(target);
      return {};
    }
    if (!overwrite && qm::FileExists(target)) return qm::ErrorText(qm::ErrFileExists);
    // Through a temporary file renamed over the old sound: a failed copy keeps it.
    qm::CopyFileSafely(source, target, false);
    return {};
  } catch (const qm::RuntimeError& e) {
    return e.Description();
  } catch (const std::exception& e) {
    return e.what();
  }
}

std::string ReportLine(const std::string& row, const std::string& description) {
  return row + "    Error=" + description + "\n";
}

std::string ReportMessage(const std::string& report) {
  return "Error(s) occurred with the following files during import process.\n\n" + report;
}

}  // namespace soundlinks

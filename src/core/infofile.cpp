#include "core/infofile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <vector>

#include "core/albumstate.h"
#include "core/modquillmont.h"
#include "core/photolinks.h"
#include "platform/files.h"
#include "platform/runtime_error.h"

namespace {

// A value runs to the end of its line, so a line break inside it would start a
// line of its own; it becomes a blank instead.
std::string OneLine(std::string value) {
  std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return value;
}

// The ten lines in the order and key spelling every reader of the archive knows.
std::string InfoText(const std::string& photoPath, const InfoFields& f, const std::string& width,
                     const std::string& height) {
  const std::vector<std::string> lines = {
      "PhotoPath=" + OneLine(photoPath),
      "TITLE=" + OneLine(f.Title),
      "PHOTOGRAPHER=" + OneLine(f.Photographer),
      "YEAR=" + OneLine(f.Year),
      "PEOPLE=" + OneLine(f.People),
      "PLACE=" + OneLine(f.Place),
      "EVENT=" + OneLine(f.Event),
      "KEYWORDS=" + OneLine(f.Keywords),
      "ImageWidth=" + width,
      "ImageHeight=" + height,
  };
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The leading numeric text of a value as the archive has always read it: blanks
// first, a sign, digits with one decimal point, an exponent (E or D); anything
// else ends the number, and no digits at all reads as 0.
double LeadingNumber(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  std::string num;
  bool digits = false;
  while (i < s.size() && IsDigit(s[i])) num += s[i++], digits = true;
  if (i < s.size() && s[i] == '.') {
    num += s[i++];
    while (i < s.size() && IsDigit(s[i])) num += s[i++], digits = true;
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    size_t j = i + 1;
    std::string exp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exp += s[j++];
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) exp += s[j++];
      num += exp;
    }
  }
  if (num[0] == '.') num.insert(num.begin(), '0');
  double v = 0;
  // from_chars ignores the locale Qt installs, so "640.5" never reads as 640.
  auto r = std::from_chars(num.data(), num.data() + num.size(), v);
  if (r.ec == std::errc::result_out_of_range) v = std::numeric_limits<double>::infinity();
  return negative ? -v : v;
}

// Halves go to the even neighbour; a value no 32-bit field can hold gives nothing.
std::optional<std::int32_t> ReadSize(const std::string& value) {
  const double v = LeadingNumber(value);
  double r = std::round(v);
  if (std::fabs(v - std::trunc(v)) == 0.5 && std::fmod(r, 2.0) != 0) r -= std::copysign(1.0, v);
  if (!(r >= double(std::numeric_limits<std::int32_t>::min()) && r <= double(std::numeric_limits<std::int32_t>::max())))
    return std::nullopt;
  return std::int32_t(r);
}


// The values of one file as its lines come: the fields in hand, and which of them
// hold a value that the line reader cut.
struct InfoRead {
  AlbumState& s;
  bool linkRead = false;  // a PhotoPath line came already; the first one wins, as for the link resolver
  std::set<std::string> cutKeys;

  bool Cut() const { return !cutKeys.empty(); }

  void Take(const std::string& key, std::string& field, const std::string& value, bool cut) {
    field = value;
    if (cut)
      cutKeys.insert(key);
    else
      cutKeys.erase(key);
  }

  void Apply(const std::string& line, bool cut) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) return;
    const std::string key = qm::ToUpperAscii(line.substr(0, eq));
    const std::string value = line.substr(eq + 1);
    if (key == "EVENT") Take(key, s.Event, value, cut);
    else if (key == "KEYWORDS") Take(key, s.Keywords, value, cut);
    else if (key == "PEOPLE") Take(key, s.People, value, cut);
    else if (key == "PHOTOGRAPHER") Take(key, s.Photographer, value, cut);
    else if (key == "PLACE") Take(key, s.Place, value, cut);
    else if (key == "TITLE") Take(key, s.Title, value, cut);
    else if (key == "YEAR") Take(key, s.Year, value, cut);
    else if (key == "PHOTOPATH") {
      if (!linkRead) Take(key, s.PhotoPath, value, cut);
      linkRead = true;
    }
    else if (key == "IMAGEWIDTH" || key == "IMAGEHEIGHT") {
      // A size no field can hold is a damaged line; the rest of the file still counts.
      if (auto n = ReadSize(value)) (key == "IMAGEWIDTH" ? s.ImageWidth : s.ImageHeight) = *n;
    }
  }
};

}  // namespace

InfoFields FieldsOf(const AlbumState& s) {
  return {s.Title, s.Photographer, s.Year, s.People, s.Place, s.Event, s.Keywords};
}

void SetFields(AlbumState& s, const InfoFields& f) {
  s.Title = f.Title;
  s.Photographer = f.Photographer;
  s.Year = f.Year;
  s.People = f.People;
  s.Place = f.Place;
  s.Event = f.Event;
  s.Keywords = f.Keywords;
}

bool IsVideoPath(const std::string& path) {
  if (path.size() < 4) return false;
  const std::string ext = qm::ToUpperAscii(path.substr(path.size() - 4));
  return ext == ".AVI" || ext == ".MOV" || ext == ".MPG";
}

std::string ShownValue(const std::string& value) {
  if (value.size() <= kShownValueLength) return value;
  std::size_t n = kShownValueLength;
  // Back to the first byte of the character the bound falls in.
  while (n > 0 && (static_cast<unsigned char>(value[n]) & 0xC0) == 0x80) --n;
  return value.substr(0, n) + "\u2026";
}

std::string InfoFileText(const std::string& photoPath, const InfoFields& f, std::int32_t width,
                         std::int32_t height) {
  return InfoText(photoPath, f, std::to_string(width), std::to_string(height));
}

bool CreateInfoFile(const std::string& InfoFile, const std::string& PhotoPath) {
  try {
    // A new photo's title is the path of its own information file; its sizes are
    // not known yet and stay empty.
    InfoFields f;
    f.Title = InfoFile;
    qm::ReplaceFileAtomically(InfoFile, InfoText(PhotoPath, f, "", ""));
    return true;
  } catch (const qm::RuntimeError&) {
    return false;
  }
}

bool SaveImageInfo(std::int32_t CurrentImageIndex) {
  if (CurrentImageIndex < 0 || size_t(CurrentImageIndex) >= PhotoNames.size()) return false;
  const std::string& name = PhotoNames[size_t(CurrentImageIndex)];
  // The empty placeholder has no file; writing one would make a stray ".info".
  if (name.empty()) return false;
  try {
    const AlbumState& s = gAlbumState;
    qm::ReplaceFileAtomically(InfoFolder + name + ".info",
                              InfoFileText(s.PhotoPath, FieldsOf(s), s.ImageWidth, s.ImageHeight));
    return true;
  } catch (const qm::RuntimeError&) {
    return false;
  }
}

std::string InfoFileOf(const std::string& photoName) { return InfoFolder + photoName + ".info"; }

bool Editable(const InfoTarget& target) { return !target.PhotoName.empty() && target.Read && !target.Cut; }

bool SaveInfoEdits(const InfoTarget& target, const InfoFields& fields) {
  if (!Editable(target)) return false;
  try {
    qm::ReplaceFileAtomically(InfoFileOf(target.PhotoName),
                              InfoFileText(target.PhotoPath, fields, target.ImageWidth, target.ImageHeight));
    return true;
  } catch (const qm::RuntimeError&) {
    return false;
  }
}

bool InfoFileHost::SaveEditsInProgress() { return SaveInfoEdits(EditTarget, ReadEditBoxes()); }

bool LoadImageInfo(std::int32_t index, InfoFileHost* host) {
  if (index < 0 || size_t(index) >= PhotoNames.size()) return false;
  AlbumState& s = gAlbumState;
  const std::string photoName = PhotoNames[size_t(index)];
  const std::string name = photoName + ".info";
  // Edits in progress belong to the file the box holds, so they are saved there
  // before another file is read.
  if (s.InfoEditMode && host) host->SaveEditsInProgress();
  s.IsVideo = IsVideoPath(GetPhotoLink(name));
  if (host) host->EnableVideo(s.IsVideo);
  SetFields(s, InfoFields{});
  // Read a line at a time into a copy, so a file that fails halfway changes
  // nothing and no file is ever held whole.
  AlbumState got = s;
  // A file without a PhotoPath line must not inherit the previous photo's link,
  // or the next save would point this photo at that one. Until the file says
  // otherwise it has the default link, the one the link resolver falls back to.
  got.PhotoPath = "\\Photos\\" + photoName;
  InfoRead reader{got, false, {}};
  bool read = true;
  try {
    qm::ForEachTextLine(InfoFolder + name, [&](const std::string& line, bool cut) {
      reader.Apply(line, cut);
      return true;
    });
  } catch (const qm::RuntimeError&) {
    read = false;
  }
  if (read) s = std::move(got);
  if (host) {
    host->EditTarget = read ? InfoTarget{photoName, true, s.PhotoPath, s.ImageWidth, s.ImageHeight, reader.Cut()}
                            : InfoTarget{photoName, false, "", 0, 0};
    if (Editable(host->EditTarget) && s.InfoEditMode) host->WriteEditBoxes(FieldsOf(s));
    host->EditTargetLoaded();
  }
  return read;
}

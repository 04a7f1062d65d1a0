#pragma once
// Sounds are linked to the archive by file name alone: a photo has a clip when
// AudioFolder/<photo name>.wav exists, a group has a song when
// MidiFolder/<group name>.mid exists. The rules of the link dialog's rows and of
// its run live here, free of widgets.
#include <string>

namespace soundlinks {

// A name that keeps its sound file inside its folder: not empty, no "/", no NUL,
// and not "." or "..".
bool IsSafeSoundName(const std::string& name);

// The fixed file of a photo's clip or a group's song; "" for a name that would
// leave the folder.
std::string SoundFileOf(bool midi, const std::string& name);

// A row of the dialog: the tag, " : " and the name. The tags are "[midi]" and
// "[    ]" for songs, "[wav]" and "[   ]" for clips.
std::string RowText(bool midi, bool linked, const std::string& name);
// The row with its tag replaced, the rest kept from the character after the tag.
std::string Retag(const std::string& row, bool midi, bool linked);
// The name a row shows (after its tag and " : ").
std::string RowName(const std::string& row, bool midi);

// The file work of one pending row: source "" removes the target, anything else
// is copied to it (over an existing one only when overwrite is set; the old file
// stays whole when the copy fails). Returns "" or the failure's description.
std::string ApplyPendingLink(bool midi, const std::string& name, const std::string& source, bool overwrite);

// One line of the run's error report, and the message that shows the report.
std::string ReportLine(const std::string& row, const std::string& description);
std::string ReportMessage(const std::string& report);

}  // namespace soundlinks

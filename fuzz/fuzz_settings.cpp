// The settings file as written by hand: reads of a few keys and the truth values.
#include <string>

#include "core/CDravenholtReg.h"
#include "harness.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "platform/settings_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::SetUpOnce();
  const std::string file = qm::SettingsFilePath("Quillmont");
  fuzz::WriteBytes(file, data, size);
  // A new time each input, so Qt's cache of parsed INI files never serves the last one.
  static std::int64_t stamp = 1000000000;
  qm::SetFileModified(file, ++stamp);
  CDravenholtReg reg;
  for (const char* key : {"AutoFix", "FirstTime"}) {
    try {
      ToTruthValue(reg.GetDravenholtSetting("Quillmont", "Options", key, "True"));
    } catch (const qm::RuntimeError&) {
      // Text that is no truth value is the reader's own error.
    }
  }
  reg.GetDravenholtSetting("Quillmont", "SourceFolders", "Photos", "/default/");
  reg.GetDravenholtSetting("Quillmont", "Import", "Autonumber", "0100");
  const std::string v = reg.GetRegSetting("SOFTWARE\\Dravenholt\\Quillmont\\Import", "Autoname", "Image");
  fuzz::Expect(v == reg.GetDravenholtSetting("Quillmont", "Import", "Autoname", "Image"),
               "both addressings read one value");
  // The import dialog writes back what it read; the next read must give it again.
  reg.SetDravenholtSetting("Quillmont", "Import", "Autoname", v);
  fuzz::Expect(v == reg.GetDravenholtSetting("Quillmont", "Import", "Autoname", "Image"), "a written value reads back");
  return 0;
}

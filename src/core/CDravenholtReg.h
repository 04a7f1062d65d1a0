#pragma once
// The settings class: string values addressed by application name, section and key,
// with the caller's default returned when a value is missing.
#include <string>

class CDravenholtReg {
public:
  std::string GetDravenholtSetting(const std::string& AppName, const std::string& GroupName,
                                   const std::string& ItemName, const std::string& DefaultValue = "");
  bool SetDravenholtSetting(const std::string& AppName, const std::string& GroupName, const std::string& ItemName,
                            const std::string& ItemValue);
  // KeyName is a complete key such as "SOFTWARE\Dravenholt\Quillmont\Options".
  std::string GetRegSetting(const std::string& KeyName, const std::string& ItemName,
                            const std::string& DefaultValue = "");
  bool SetRegSetting(const std::string& KeyName, const std::string& ItemName, const std::string& ItemValue);
};

// The runtime's text-to-truth-value conversion: "True"/"False" in any case, or a
// number (0 is false, any other true). Any other text throws 13 (Type mismatch).
bool ToTruthValue(const std::string& text);
// The runtime's truth-value-to-text conversion.
inline const char* TruthText(bool v) { return v ? "True" : "False"; }

#pragma once
// Values other programs keep in the registry, read from the settings store's INI
// files: the key path is an INI section (backslashes as "/"), the value name its key.
// HKEY_LOCAL_MACHINE is the system-wide file, HKEY_CURRENT_USER the user's. Nothing
// is ever written there.
#include <cstdint>
#include <string>

inline constexpr std::uint32_t HKEY_CURRENT_USER = 0x80000001u;
inline constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;

// True when the value was read into KeyVal. A missing file, section or value, or any
// other root, is a failed read and leaves KeyVal empty. One trailing zero character
// is cut, as a value stored with its terminator reads without it.
bool GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                 std::string& KeyVal);

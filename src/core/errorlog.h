#pragma once
// The error log "Quillmont.Log" in the program folder.
#include <ctime>
#include <string>

#include "platform/runtime_error.h"

void WriteLog(const std::string& LogFile, const std::string& Msg);

// RootFolder + "/Quillmont.Log".
std::string LogFilePath();

// The common error tail: logs "An error has occurred in '<proc>'. Error = <text>".
void LogError(const std::string& procName, const qm::RuntimeError& e);
void LogError(const std::string& procName, const std::string& description);

// Time stamps of the log, from the given local time.
std::string LogCreatedStamp(std::time_t t);
std::string LogEntryStamp(std::time_t t);

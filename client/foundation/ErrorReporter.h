// The central error reporter every procedure of the client hands its errors to.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

void ReportError(const std::string& ModuleName, const std::string& ProcedureName, int16_t LineNumber,
                 int32_t ErrorNumber, const std::string& Details);

// Puts ReportError behind the error guard of every procedure.
void InstallErrorReporter();

}  // namespace skx

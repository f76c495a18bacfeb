#pragma once

#include "model/Installation.h"

#include <string>

namespace brellic {

// Report.Txt for a whole installation (Windows-1252, CR LF): a short header
// with each supply's verdicts and the system's, then each supply's own site
// report under the installation's standard and alarm period.
std::string InstallationReport(const Installation& installation, char separator);

} // namespace brellic

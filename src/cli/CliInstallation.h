#pragma once

#include "cli/CliArgs.h"

#include <iosfwd>
#include <string>

namespace brellic {

// combine: one installation from site files, written to -o.
int CombineSites(const CliOptions& options, std::ostream& err);

// split: each supply of an installation as a site file in the folder -o.
int SplitInstallation(const CliOptions& options, std::ostream& err);

// export of an installation file: the installation as its writer writes it.
int ExportInstallation(const std::string& path, std::ostream& out, std::ostream& err);

} // namespace brellic

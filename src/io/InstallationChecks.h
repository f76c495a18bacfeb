#pragma once
// The checks of an installation as a whole, shared within io/ by the
// installation file's writer and reader: what CheckInstallation says, and the
// helpers the reader's messages name supplies and runs with.

#include "model/Installation.h"

#include <cstddef>
#include <string>

namespace brellic::installation_checks {

// A fault of an installation: Detail names the member by its path, as the
// writer's and the reader's messages always have; Plain, when set, is the
// same in the user's words, naming the supply and the run where it is.
struct Fault {
    std::string Plain;
    std::string Detail;

    explicit operator bool() const { return !Detail.empty(); }
};

// "supplies[2]" and "supplies[2].runs[0]": a member's path.
std::string SupplyPath(std::size_t position);
std::string RunPath(std::size_t supply, std::size_t run);
std::string Count(std::size_t count);

// "Supply 2 "Yard"", or "Supply 2" while its name is not known.
std::string SupplyLead(std::size_t position, const std::string* name);
// "Supply 2 "Yard", run "Hall"", or "..., run 3" while its name is not known.
std::string RunLead(std::size_t supply, const std::string* supplyName, std::size_t run,
                    const std::string* runName);

std::string CheckSupplyCount(std::size_t count);
// The installation's own members, then each supply's name, its site when
// checkSites is set, and its cable runs.
Fault CheckMembers(const Installation& installation, bool checkSites);

// The reader's message: the fault in the user's words, when there are
// some, and then the member it is in.
std::string Message(const Fault& fault);

} // namespace brellic::installation_checks

#pragma once

// The JSON site object as a value, for the readers and writers within io/
// that embed it in larger documents. Not for use outside io/: it exposes the
// JSON library.

#include "model/Installation.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace brellic::site_json {

using Json = nlohmann::json;
// Members are written in the documented order rather than sorted.
using OrderedJson = nlohmann::ordered_json;

// The site object; a panel or battery not chosen yet is written as null.
OrderedJson ToValue(const SupplySite& site);

// Reads the site object found at path (a member path ending in ".", or empty
// for a document of its own), e.g. "supplies[2].site.". A null "panel" or
// "battery" is taken only when mayBeIncomplete is set. The first fault goes
// to error, naming the member by its path, and nothing is returned; a site
// that reads is also checked with Check.
std::optional<SupplySite> FromValue(const Json& value, std::string_view path, bool mayBeIncomplete,
                                    std::string& error);

// Why the site could not be saved by the window or imported, or empty: the
// checks of CheckSiteData and then those of CheckImportedSite, with members
// named under path. Leaves out the panel and battery when they are not chosen.
std::string Check(const SupplySite& site, std::string_view path);

// "member "PATH" holds the control character U+001B" for the first control
// character of text, or empty: what no one can type in the window reaches no
// file from JSON either.
std::string ControlCharacterFault(std::string_view member, std::string_view text);

// Parses a whole document; a syntax error, a NUL byte or a number too large
// for a double gives nothing and a message starting "not JSON: ".
std::optional<Json> Parse(std::string_view text, std::string& error);

// Looks up the members of one JSON object and records the first fault, naming
// the member by its path. Once a fault is recorded every look-up gives
// nothing. Members it is not asked for are ignored.
class MemberReader {
public:
    // path: the object's own path ending in ".", or empty for the document.
    MemberReader(const Json& object, std::string path, std::string& error)
        : object_(object), path_(std::move(path)), error_(error) {}

    std::optional<std::int32_t> WholeNumber(std::string_view name);
    // A whole number, or null as an empty optional.
    std::optional<std::optional<std::int32_t>> WholeNumberOrNull(std::string_view name);
    std::optional<double> Number(std::string_view name);
    std::optional<std::string> Text(std::string_view name);
    std::optional<bool> Flag(std::string_view name);
    const Json* Array(std::string_view name);
    const Json* Member(std::string_view name); // of any type
    // Whether the object has the member, for one a file may leave out.
    bool Has(std::string_view name) const { return object_.contains(name); }

    // Records a fault of the member: "member "PATH" WHAT".
    void Fault(std::string_view name, std::string_view what);

private:
    const Json* Find(std::string_view name);
    std::optional<std::int32_t> AsWholeNumber(std::string_view name, const Json& value);

    const Json& object_;
    std::string path_;
    std::string& error_;
};

} // namespace brellic::site_json

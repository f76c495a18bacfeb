#include "cli/SiteJson.h"

#include "io/Cp1252.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include <nlohmann/json.hpp>

namespace brellic {

namespace {

using Json = nlohmann::json;
// Members are written in the documented order rather than sorted.
using OrderedJson = nlohmann::ordered_json;

constexpr std::size_t kLastPanelRow = kPanelCount - 1;

std::string Quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

// Looks up the members of one JSON object and records the first fault.
class MemberReader {
public:
    MemberReader(const Json& object, std::string where, std::string& error)
        : object_(object), where_(std::move(where)), error_(error) {}

    std::optional<std::int32_t> WholeNumber(std::string_view name) {
        const Json* value = Find(name);
        if (value == nullptr)
            return std::nullopt;
        if (value->is_number_unsigned()) {
            const auto number = value->get<std::uint64_t>();
            if (number <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
                return static_cast<std::int32_t>(number);
        } else if (value->is_number_integer()) {
            const auto number = value->get<std::int64_t>();
            if (number >= std::numeric_limits<std::int32_t>::min() &&
                number <= std::numeric_limits<std::int32_t>::max())
                return static_cast<std::int32_t>(number);
        }
        Fault(name, "must be a whole number from -2147483648 to 2147483647");
        return std::nullopt;
    }

    std::optional<double> Number(std::string_view name) {
        const Json* value = Find(name);
        if (value == nullptr)
            return std::nullopt;
        if (value->is_number())
            return value->get<double>();
        Fault(name, "must be a number");
        return std::nullopt;
    }

    std::optional<std::string> Text(std::string_view name) {
        const Json* value = Find(name);
        if (value == nullptr)
            return std::nullopt;
        if (value->is_string())
            return value->get<std::string>();
        Fault(name, "must be a string");
        return std::nullopt;
    }

    std::optional<bool> Flag(std::string_view name) {
        const Json* value = Find(name);
        if (value == nullptr)
            return std::nullopt;
        if (value->is_boolean())
            return value->get<bool>();
        Fault(name, "must be true or false");
        return std::nullopt;
    }

    const Json* Array(std::string_view name) {
        const Json* value = Find(name);
        if (value == nullptr || value->is_array())
            return value;
        Fault(name, "must be an array");
        return nullptr;
    }

private:
    const Json* Find(std::string_view name) {
        if (!error_.empty())
            return nullptr;
        const auto it = object_.find(name);
        if (it == object_.end()) {
            Fault(name, "is missing");
            return nullptr;
        }
        return &*it;
    }

    void Fault(std::string_view name, std::string_view what) {
        error_ = "member " + Quoted(where_ + std::string(name)) + " " + std::string(what);
    }

    const Json& object_;
    std::string where_;
    std::string& error_;
};

std::string CheckText(std::string_view what, const std::string& text) {
    if (!IsCp1252Text(text))
        return std::string(what) +
               " holds a character that a site file cannot hold (only Windows-1252 characters fit)";
    if (const std::size_t length = Utf8Length(text); length > kSiteTextCapacity)
        return std::string(what) + " has " + FormatInt(static_cast<long long>(length)) +
               " characters; at most " + FormatInt(kSiteTextCapacity) + " fit";
    return {};
}

std::string DeviceName(std::size_t position) {
    return "devices[" + FormatInt(static_cast<long long>(position)) + "]";
}

// A control character (U+0000 to U+001F, U+007F) in a text member, as
// "U+001B", or empty. Such a character would reach the report raw: an escape
// sequence in Report.Txt, a NUL that cuts the site reference short.
std::string ControlCharacter(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            constexpr char kHex[] = "0123456789ABCDEF";
            return std::string("U+00") + kHex[byte >> 4] + kHex[byte & 0xF];
        }
    }
    return {};
}

// What import refuses beyond what a site file could hold: control characters
// in the texts, and negative currents, which would cancel other lines' load
// and let a failing site pass.
std::string CheckImportedSite(const SiteFileData& site) {
    if (const std::string control = ControlCharacter(site.SiteRef); !control.empty())
        return "member \"siteReference\" holds the control character " + control;
    for (std::size_t i = 0; i < site.Devices.size(); ++i) {
        const TDeviceData& device = site.Devices[i];
        const std::string name = DeviceName(i);
        if (const std::string control = ControlCharacter(device.Description); !control.empty())
            return "member " + Quoted(name + ".description") + " holds the control character " +
                   control;
        const std::string line = FormatInt(static_cast<long long>(i + 1));
        if (device.Quiescent < 0)
            return "member " + Quoted(name + ".quiescent") + " is negative: device line " + line +
                   " cannot draw a negative current";
        if (device.Alarm < 0)
            return "member " + Quoted(name + ".alarm") + " is negative: device line " + line +
                   " cannot draw a negative current";
    }
    return {};
}

} // namespace

std::string SiteToJson(const SiteFileData& site) {
    OrderedJson devices = OrderedJson::array();
    for (const TDeviceData& device : site.Devices) {
        devices.push_back({{"qty", device.Qty},
                           {"description", device.Description},
                           {"grade", device.Grade},
                           {"quiescent", device.Quiescent},
                           {"alarm", device.Alarm}});
    }
    const OrderedJson json = {{"siteReference", site.SiteRef},
                              {"grade", site.Grade},
                              {"panel", site.Panel},
                              {"battery", site.Battery},
                              {"acFailSignalled", site.AcFail},
                              {"devices", std::move(devices)}};
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

SiteJsonResult SiteFromJson(std::string_view text) {
    SiteJsonResult result;
    // The parser takes a NUL byte for the end of the text, which would let
    // anything after a complete value through.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        result.Error = "not JSON: a NUL byte at offset " + FormatInt(static_cast<long long>(nul));
        return result;
    }
    Json json;
    try {
        json = Json::parse(text);
    } catch (const Json::exception& error) {
        // A syntax error, or a number too large for a double. The library's
        // text starts with its own "[json.exception...] " tag.
        std::string message = error.what();
        if (const std::size_t tag = message.find("] "); tag != std::string::npos)
            message.erase(0, tag + 2);
        result.Error = "not JSON: " + message;
        return result;
    }
    if (!json.is_object()) {
        result.Error = "not a JSON object";
        return result;
    }

    SiteFileData& site = result.Data;
    MemberReader members(json, "", result.Error);
    const auto siteRef = members.Text("siteReference");
    const auto grade = members.WholeNumber("grade");
    const auto panel = members.WholeNumber("panel");
    const auto battery = members.WholeNumber("battery");
    const auto acFail = members.Flag("acFailSignalled");
    const Json* devices = members.Array("devices");
    if (!result.Error.empty())
        return result;
    site.SiteRef = *siteRef;
    site.Grade = *grade;
    site.Panel = *panel;
    site.Battery = *battery;
    site.AcFail = *acFail;

    for (std::size_t i = 0; i < devices->size(); ++i) {
        const Json& entry = (*devices)[i];
        const std::string where = DeviceName(i);
        if (!entry.is_object()) {
            result.Error = "member " + Quoted(where) + " must be an object";
            return result;
        }
        MemberReader fields(entry, where + ".", result.Error);
        TDeviceData device;
        const auto qty = fields.WholeNumber("qty");
        const auto description = fields.Text("description");
        const auto deviceGrade = fields.WholeNumber("grade");
        const auto quiescent = fields.Number("quiescent");
        const auto alarm = fields.Number("alarm");
        if (!result.Error.empty())
            return result;
        site.Devices.push_back({*qty, *deviceGrade, *description, *quiescent, *alarm});
    }
    result.Error = CheckSiteData(site);
    if (result.Error.empty())
        result.Error = CheckImportedSite(site);
    return result;
}

std::string CheckSiteData(const SiteFileData& site) {
    if (std::string fault = CheckText("the site reference", site.SiteRef); !fault.empty())
        return fault;
    if (site.Grade < 1 || site.Grade > 3)
        return "the grade " + FormatInt(site.Grade) + " is not 1, 2 or 3";
    if (site.Panel < 0 || static_cast<std::size_t>(site.Panel) > kLastPanelRow)
        return "the panel " + FormatInt(site.Panel) + " is not a row from 0 to " +
               FormatInt(kLastPanelRow);
    const std::size_t batteries = BatteriesForPanel(site.Panel).size();
    if (site.Battery < 0 || static_cast<std::size_t>(site.Battery) >= batteries)
        return "the battery position " + FormatInt(site.Battery) +
               " is not in the battery list of \"" +
               std::string(PanelTable[static_cast<std::size_t>(site.Panel)].Name) +
               "\", which holds " + FormatInt(static_cast<long long>(batteries)) +
               " batteries counted from 0";
    if (site.Devices.size() > kSiteFileSlots)
        return "the site has " + FormatInt(static_cast<long long>(site.Devices.size())) +
               " devices; at most " + FormatInt(kSiteFileSlots) + " fit";
    for (std::size_t i = 0; i < site.Devices.size(); ++i) {
        const TDeviceData& device = site.Devices[i];
        const std::string name = DeviceName(i);
        if (device.Qty < 0)
            return name + ": the quantity " + FormatInt(device.Qty) + " is negative";
        if (std::string fault = CheckText(name + ": the description", device.Description);
            !fault.empty())
            return fault;
        if (!std::isfinite(device.Quiescent))
            return name + ": the quiescent current is not a finite number";
        if (!std::isfinite(device.Alarm))
            return name + ": the alarm current is not a finite number";
    }
    return {};
}

} // namespace brellic

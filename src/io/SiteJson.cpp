#include "io/SiteJson.h"

#include "io/Cp1252.h"
#include "io/QuickJson.h"
#include "io/SiteConversions.h"
#include "io/SiteJsonValue.h"
#include "model/Format.h"
#include "model/Globals.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace brellic {

namespace site_json {

namespace {

constexpr std::size_t kLastPanelRow = kPanelCount - 1;

// "supplies[2].site: " for the path "supplies[2].site.", so that a fault of
// the site as a whole says where the site is; nothing for a site document.
std::string Lead(std::string_view path) {
    if (path.empty())
        return {};
    return std::string(path.substr(0, path.size() - 1)) + ": ";
}

std::string DeviceName(std::string_view path, std::size_t position) {
    return std::string(path) + "devices[" + FormatInt(static_cast<long long>(position)) + "]";
}

// Why text cannot go into a site file, as the rest of a sentence naming it,
// or empty. Nothing is put together for a text that fits.
std::string TextFault(const std::string& text) {
    if (!IsCp1252Text(text))
        return " holds a character that a site file cannot hold (only Windows-1252 characters fit)";
    if (const std::size_t length = Utf8Length(text); length > kSiteTextCapacity)
        return " has " + FormatInt(static_cast<long long>(length)) + " characters; at most " +
               FormatInt(kSiteTextCapacity) + " fit";
    return {};
}

// What the window could never have saved.
std::string CheckStorable(const SupplySite& site, std::string_view path) {
    const std::string lead = Lead(path);
    if (std::string fault = TextFault(site.SiteRef); !fault.empty())
        return lead + "the site reference" + fault;
    if (site.Grade < 1 || site.Grade > 3)
        return lead + "the grade " + FormatInt(site.Grade) + " is not 1, 2 or 3";
    if (site.Panel) {
        const std::int32_t panel = *site.Panel;
        if (panel < 0 || static_cast<std::size_t>(panel) > kLastPanelRow)
            return lead + "the panel " + FormatInt(panel) + " is not a row from 0 to " +
                   FormatInt(kLastPanelRow);
        const std::size_t batteries = BatteriesForPanel(panel).size();
        if (site.Battery &&
            (*site.Battery < 0 || static_cast<std::size_t>(*site.Battery) >= batteries))
            return lead + "the battery position " + FormatInt(*site.Battery) +
                   " is not in the battery list of \"" +
                   std::string(PanelTable[static_cast<std::size_t>(panel)].Name) +
                   "\", which holds " + FormatInt(static_cast<long long>(batteries)) +
                   " batteries counted from 0";
    } else if (site.Battery) {
        return lead + "the battery position " + FormatInt(*site.Battery) +
               " is given, but no panel is chosen";
    }
    if (site.Devices.size() > kSiteFileSlots)
        return lead + "the site has " + FormatInt(static_cast<long long>(site.Devices.size())) +
               " devices; at most " + FormatInt(kSiteFileSlots) + " fit";
    // A device's name is put together only for a message: a site may have
    // a hundred lines, and an installation thirty-two sites.
    for (std::size_t i = 0; i < site.Devices.size(); ++i) {
        const TDeviceData& device = site.Devices[i];
        if (device.Qty < 0)
            return DeviceName(path, i) + ": the quantity " + FormatInt(device.Qty) + " is negative";
        if (std::string fault = TextFault(device.Description); !fault.empty())
            return DeviceName(path, i) + ": the description" + fault;
        if (!std::isfinite(device.Quiescent))
            return DeviceName(path, i) + ": the quiescent current is not a finite number";
        if (!std::isfinite(device.Alarm))
            return DeviceName(path, i) + ": the alarm current is not a finite number";
    }
    return {};
}

// What no one can type in the window: control characters in the texts, which
// would reach the report raw (an escape sequence in Report.Txt, a NUL that
// cuts the site reference short), and negative currents, which would cancel
// other lines' load and let a failing site pass.
std::string CheckTyped(const SupplySite& site, std::string_view path) {
    if (std::string fault =
            ControlCharacterFault(std::string(path) + "siteReference", site.SiteRef);
        !fault.empty())
        return fault;
    for (std::size_t i = 0; i < site.Devices.size(); ++i) {
        const TDeviceData& device = site.Devices[i];
        if (std::string fault =
                ControlCharacterFault(DeviceName(path, i) + ".description", device.Description);
            !fault.empty())
            return fault;
        const auto negative = [&](std::string_view member) {
            return "member " + Quoted(DeviceName(path, i) + "." + std::string(member)) +
                   " is negative: device line " + FormatInt(static_cast<long long>(i + 1)) +
                   " cannot draw a negative current";
        };
        if (device.Quiescent < 0)
            return negative("quiescent");
        if (device.Alarm < 0)
            return negative("alarm");
    }
    return {};
}

} // namespace

std::optional<std::int32_t> MemberReader::AsWholeNumber(std::string_view name, const Json& value) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
            return static_cast<std::int32_t>(number);
    } else if (value.is_number_integer()) {
        const auto number = value.get<std::int64_t>();
        if (number >= std::numeric_limits<std::int32_t>::min() &&
            number <= std::numeric_limits<std::int32_t>::max())
            return static_cast<std::int32_t>(number);
    }
    Fault(name, "must be a whole number from -2147483648 to 2147483647");
    return std::nullopt;
}

std::optional<std::int32_t> MemberReader::WholeNumber(std::string_view name) {
    const Json* value = Find(name);
    if (value == nullptr)
        return std::nullopt;
    return AsWholeNumber(name, *value);
}

std::optional<std::optional<std::int32_t>> MemberReader::WholeNumberOrNull(std::string_view name) {
    const Json* value = Find(name);
    if (value == nullptr)
        return std::nullopt;
    if (value->is_null())
        return std::optional<std::int32_t>();
    if (value->is_number_integer()) // signed or unsigned
        return AsWholeNumber(name, *value);
    Fault(name, "must be a whole number from -2147483648 to 2147483647, or null");
    return std::nullopt;
}

std::optional<double> MemberReader::Number(std::string_view name) {
    const Json* value = Find(name);
    if (value == nullptr)
        return std::nullopt;
    if (value->is_number())
        return value->get<double>();
    Fault(name, "must be a number");
    return std::nullopt;
}

std::optional<std::string> MemberReader::Text(std::string_view name) {
    const Json* value = Find(name);
    if (value == nullptr)
        return std::nullopt;
    if (value->is_string())
        return value->get<std::string>();
    Fault(name, "must be a string");
    return std::nullopt;
}

std::optional<bool> MemberReader::Flag(std::string_view name) {
    const Json* value = Find(name);
    if (value == nullptr)
        return std::nullopt;
    if (value->is_boolean())
        return value->get<bool>();
    Fault(name, "must be true or false");
    return std::nullopt;
}

const Json* MemberReader::Array(std::string_view name) {
    const Json* value = Find(name);
    if (value == nullptr || value->is_array())
        return value;
    Fault(name, "must be an array");
    return nullptr;
}

const Json* MemberReader::Member(std::string_view name) {
    return Find(name);
}

const Json* MemberReader::Find(std::string_view name) {
    if (!error_.empty())
        return nullptr;
    const auto it = object_.find(name);
    if (it == object_.end()) {
        Fault(name, "is missing");
        return nullptr;
    }
    return &*it;
}

void MemberReader::Fault(std::string_view name, std::string_view what) {
    if (error_.empty())
        error_ = "member " + Quoted(path_ + std::string(name)) + " " + std::string(what);
}

std::string ControlCharacterFault(std::string_view member, std::string_view text) {
    const std::string control = ControlCharacter(text);
    if (control.empty())
        return {};
    return "member " + Quoted(member) + " holds the control character " + control;
}

std::optional<Json> Parse(std::string_view text, std::string& error) {
    // The parser takes a NUL byte for the end of the text, which would let
    // anything after a complete value through.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        error = "not JSON: a NUL byte at offset " + FormatInt(static_cast<long long>(nul));
        return std::nullopt;
    }
    // Brellic's own files read quickly; the library's parser, slower but
    // with line and column in its messages, reads whatever the quick one
    // does not take.
    if (std::optional<Json> quick = QuickParse(text))
        return quick;
    try {
        return Json::parse(text);
    } catch (const Json::exception& failure) {
        // A syntax error, with its line and column, or a number too large for
        // a double. The library's text starts with its own
        // "[json.exception...] " tag.
        std::string message = failure.what();
        if (const std::size_t tag = message.find("] "); tag != std::string::npos)
            message.erase(0, tag + 2);
        // It ends with the text it last read, which may be a string of
        // megabytes.
        constexpr std::string_view kLastRead = "last read: '";
        if (const std::size_t read = message.find(kLastRead);
            read != std::string::npos && message.back() == '\'') {
            const std::size_t from = read + kLastRead.size();
            message =
                message.substr(0, from) +
                MessageText(std::string_view(message).substr(from, message.size() - 1 - from)) +
                "'";
        }
        error = "not JSON: " + message;
        return std::nullopt;
    }
}

std::string Check(const SupplySite& site, std::string_view path) {
    if (std::string fault = CheckStorable(site, path); !fault.empty())
        return fault;
    return CheckTyped(site, path);
}

OrderedJson ToValue(const SupplySite& site) {
    OrderedJson devices = OrderedJson::array();
    for (const TDeviceData& device : site.Devices) {
        devices.push_back({{"qty", device.Qty},
                           {"description", device.Description},
                           {"grade", device.Grade},
                           {"quiescent", device.Quiescent},
                           {"alarm", device.Alarm}});
    }
    const auto optional = [](const std::optional<std::int32_t>& value) {
        return value ? OrderedJson(*value) : OrderedJson(nullptr);
    };
    return {{"siteReference", site.SiteRef},  {"grade", site.Grade},
            {"panel", optional(site.Panel)},  {"battery", optional(site.Battery)},
            {"acFailSignalled", site.AcFail}, {"devices", std::move(devices)}};
}

std::optional<SupplySite> FromValue(const Json& value, std::string_view path, bool mayBeIncomplete,
                                    std::string& error) {
    if (!value.is_object()) {
        error = path.empty()
                    ? "not a JSON object"
                    : "member " + Quoted(path.substr(0, path.size() - 1)) + " must be an object";
        return std::nullopt;
    }
    SupplySite site;
    MemberReader members(value, std::string(path), error);
    const auto siteRef = members.Text("siteReference");
    const auto grade = members.WholeNumber("grade");
    // A site file always has a panel and a battery; only a supply of an
    // installation may still lack them.
    const auto chosen = [&](std::string_view name) -> std::optional<std::optional<std::int32_t>> {
        if (mayBeIncomplete)
            return members.WholeNumberOrNull(name);
        if (const auto number = members.WholeNumber(name))
            return std::optional<std::optional<std::int32_t>>(std::in_place, *number);
        return std::nullopt;
    };
    const auto panel = chosen("panel");
    const auto battery = chosen("battery");
    const auto acFail = members.Flag("acFailSignalled");
    const Json* devices = members.Array("devices");
    if (!error.empty())
        return std::nullopt;
    site.SiteRef = *siteRef;
    site.Grade = *grade;
    site.Panel = *panel;
    site.Battery = *battery;
    site.AcFail = *acFail;

    for (std::size_t i = 0; i < devices->size(); ++i) {
        const Json& entry = (*devices)[i];
        const std::string where = DeviceName(path, i);
        if (!entry.is_object()) {
            error = "member " + Quoted(where) + " must be an object";
            return std::nullopt;
        }
        MemberReader fields(entry, where + ".", error);
        const auto qty = fields.WholeNumber("qty");
        const auto description = fields.Text("description");
        const auto deviceGrade = fields.WholeNumber("grade");
        const auto quiescent = fields.Number("quiescent");
        const auto alarm = fields.Number("alarm");
        if (!error.empty())
            return std::nullopt;
        site.Devices.push_back({*qty, *deviceGrade, *description, *quiescent, *alarm});
    }
    error = Check(site, path);
    if (!error.empty())
        return std::nullopt;
    return site;
}

} // namespace site_json

std::string SiteToJson(const SiteFileData& site) {
    return site_json::ToValue(SupplySiteOf(site))
               .dump(2, ' ', false, site_json::Json::error_handler_t::replace) +
           "\n";
}

SiteJsonResult SiteFromJson(std::string_view text) {
    SiteJsonResult result;
    const std::optional<site_json::Json> json = site_json::Parse(text, result.Error);
    if (!json)
        return result;
    const std::optional<SupplySite> site = site_json::FromValue(*json, "", false, result.Error);
    if (site)
        result.Data = *SiteFileOf(*site);
    return result;
}

std::string CheckSiteData(const SiteFileData& site) {
    return site_json::CheckStorable(SupplySiteOf(site), "");
}

std::string CheckImportedSite(const SiteFileData& site) {
    return site_json::CheckTyped(SupplySiteOf(site), "");
}

} // namespace brellic

#include "outlook/local/store/property_value.h"

#include <cstdio>

namespace outlook::local {

using namespace mapi;

bool valueMatchesTag(const SPropValue& value) {
    switch (PROP_TYPE(value.ulPropTag)) {
        case PT_NULL:
            return true;
        case PT_I2:
        case PT_LONG:
            return std::holds_alternative<std::int32_t>(value.value);
        case PT_BOOLEAN:
            return std::holds_alternative<bool>(value.value);
        case PT_DOUBLE:
        case PT_APPTIME:
            return std::holds_alternative<double>(value.value);
        case PT_I8:
            return std::holds_alternative<std::int64_t>(value.value);
        case PT_STRING8:
        case PT_UNICODE:
            return std::holds_alternative<std::string>(value.value);
        case PT_BINARY:
            return std::holds_alternative<Binary>(value.value);
        case PT_SYSTIME:
            return std::holds_alternative<FileTime>(value.value);
        case PT_ERROR:
            return std::holds_alternative<PropError>(value.value);
        default:
            return false;
    }
}

bool isStorableType(ULONG type) {
    switch (type) {
        case PT_I2:
        case PT_LONG:
        case PT_BOOLEAN:
        case PT_DOUBLE:
        case PT_APPTIME:
        case PT_I8:
        case PT_STRING8:
        case PT_UNICODE:
        case PT_BINARY:
        case PT_SYSTIME:
            return true;
        default:
            return false;
    }
}

std::string propTypeName(ULONG type) {
    switch (type) {
        case PT_UNSPECIFIED:
            return "PT_UNSPECIFIED";
        case PT_NULL:
            return "PT_NULL";
        case PT_I2:
            return "PT_I2";
        case PT_LONG:
            return "PT_LONG";
        case PT_DOUBLE:
            return "PT_DOUBLE";
        case PT_APPTIME:
            return "PT_APPTIME";
        case PT_ERROR:
            return "PT_ERROR";
        case PT_BOOLEAN:
            return "PT_BOOLEAN";
        case PT_OBJECT:
            return "PT_OBJECT";
        case PT_I8:
            return "PT_I8";
        case PT_STRING8:
            return "PT_STRING8";
        case PT_UNICODE:
            return "PT_UNICODE";
        case PT_SYSTIME:
            return "PT_SYSTIME";
        case PT_BINARY:
            return "PT_BINARY";
        default: {
            char text[16];
            std::snprintf(text, sizeof text, "0x%04X", type);
            return text;
        }
    }
}

std::string formatPropTag(PropTag tag) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", tag);
    return text;
}

std::string formatFileTime(FileTime v) {
    // FILETIME ticks to a UTC calendar date and time.
    constexpr std::int64_t kTicksPerSecond = 10'000'000;
    constexpr std::int64_t kUnixEpochTicks = 116'444'736'000'000'000;
    std::int64_t seconds = (v.ticks - kUnixEpochTicks) / kTicksPerSecond;
    if (v.ticks < kUnixEpochTicks && (v.ticks - kUnixEpochTicks) % kTicksPerSecond != 0) --seconds;
    std::int64_t days = seconds / 86400, rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Civil date from days since 1970-01-01 (proleptic Gregorian).
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t doe = days - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld UTC",
                  static_cast<long long>(year), static_cast<long long>(month),
                  static_cast<long long>(day), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

std::string formatPropValue(const SPropValue& value) {
    struct Formatter {
        std::string operator()(std::monostate) const { return "(null)"; }
        std::string operator()(std::int32_t v) const { return std::to_string(v); }
        std::string operator()(bool v) const { return v ? "true" : "false"; }
        std::string operator()(double v) const {
            char text[32];
            std::snprintf(text, sizeof text, "%.10g", v);
            return text;
        }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(const std::string& v) const {
            std::string out;
            for (char c : v) {
                if (c == '\n')
                    out += "\\n";
                else if (c == '\r')
                    out += "\\r";
                else if (c == '\t')
                    out += "\\t";
                else
                    out += c;
            }
            return out;
        }
        std::string operator()(const Binary& v) const { return HexFromBin(v); }
        std::string operator()(FileTime v) const { return formatFileTime(v); }
        std::string operator()(PropError v) const {
            char text[24];
            std::snprintf(text, sizeof text, "error 0x%08X", static_cast<ULONG>(v.code));
            return text;
        }
    };
    return std::visit(Formatter{}, value.value);
}

bool sameValueType(ULONG requested, ULONG stored) {
    if (requested == PT_UNSPECIFIED || requested == stored) return true;
    const auto isString = [](ULONG t) { return t == PT_STRING8 || t == PT_UNICODE; };
    return isString(requested) && isString(stored);
}

SPropValue notFound(PropTag tag) {
    return SPropValue::error(tag, MAPI_E_NOT_FOUND);
}

}  // namespace outlook::local

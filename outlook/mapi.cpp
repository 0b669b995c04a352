#include "outlook/mapi.h"

namespace mapi {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

template <class T>
const T* valueIf(const SPropValue& v, ULONG type) {
    return PROP_TYPE(v.ulPropTag) == type ? std::get_if<T>(&v.value) : nullptr;
}

}  // namespace

std::string HexFromBin(const Binary& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex(bytes.size() * 2, '0');
    char* digit = hex.data();
    for (std::uint8_t b : bytes) {
        *digit++ = kDigits[b >> 4];
        *digit++ = kDigits[b & 0xF];
    }
    return hex;
}

std::optional<Binary> FBinFromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    Binary bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]), low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return bytes;
}

const std::string* SPropValue::asString8() const {
    return valueIf<std::string>(*this, PT_STRING8);
}
const Binary* SPropValue::asBinary() const {
    return valueIf<Binary>(*this, PT_BINARY);
}
const std::int32_t* SPropValue::asLong() const {
    return valueIf<std::int32_t>(*this, PT_LONG);
}
const FileTime* SPropValue::asFileTime() const {
    return valueIf<FileTime>(*this, PT_SYSTIME);
}

const SPropValue* FindProp(const PropValueArray& values, PropTag tag) {
    for (const auto& v : values)
        if (v.ulPropTag == tag) return &v;
    return nullptr;
}

HRESULT HrQueryAllRows(IMAPITable* table, const PropTagArray* columns, ULONG maxRows,
                       RowSet& rows) {
    rows.clear();
    if (!table) return MAPI_E_INVALID_PARAMETER;
    HRESULT result = S_OK;
    if (columns && Failed(result = table->SetColumns(*columns, 0))) return result;
    if (Failed(result = table->SeekRowBeginning())) return result;
    constexpr std::int32_t kBatch = 256;
    for (;;) {
        RowSet batch;
        if (Failed(result = table->QueryRows(kBatch, 0, batch))) {
            rows.clear();
            return result;
        }
        if (batch.empty()) return S_OK;
        for (auto& row : batch) {
            if (maxRows != 0 && rows.size() >= maxRows) return S_OK;
            rows.push_back(std::move(row));
        }
    }
}

}  // namespace mapi

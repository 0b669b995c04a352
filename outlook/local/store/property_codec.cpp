#include "outlook/local/store/property_codec.h"

#include <cstring>

namespace outlook::local {

using namespace mapi;
using sqlite::Statement;

void bindPropValue(Statement& statement, int index, const SPropValue& value) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::int64_t>)
                statement.bind(index, static_cast<std::int64_t>(v));
            else if constexpr (std::is_same_v<T, bool>)
                statement.bind(index, static_cast<std::int64_t>(v ? 1 : 0));
            else if constexpr (std::is_same_v<T, double>)
                statement.bind(index, v);
            else if constexpr (std::is_same_v<T, std::string>)
                statement.bind(index, std::string_view(v));
            else if constexpr (std::is_same_v<T, Binary>)
                statement.bind(index, v);
            else if constexpr (std::is_same_v<T, FileTime>)
                statement.bind(index, v.ticks);
            else
                statement.bindNull(index);
        },
        value.value);
}

std::optional<SPropValue> readPropValue(const Statement& statement, int column, PropTag tag) {
    using Column = Statement::ColumnType;
    const Column type = statement.columnType(column);
    switch (PROP_TYPE(tag)) {
        case PT_I2:
        case PT_LONG:
            if (type != Column::Integer) return std::nullopt;
            return SPropValue{tag, static_cast<std::int32_t>(statement.columnInt(column))};
        case PT_BOOLEAN:
            if (type != Column::Integer) return std::nullopt;
            return SPropValue{tag, statement.columnInt(column) != 0};
        case PT_I8:
            if (type != Column::Integer) return std::nullopt;
            return SPropValue{tag, statement.columnInt(column)};
        case PT_DOUBLE:
        case PT_APPTIME:
            if (type != Column::Float && type != Column::Integer) return std::nullopt;
            return SPropValue{tag, statement.columnDouble(column)};
        case PT_SYSTIME:
            if (type != Column::Integer) return std::nullopt;
            return SPropValue{tag, FileTime{statement.columnInt(column)}};
        case PT_STRING8:
        case PT_UNICODE:
            if (type != Column::Text) return std::nullopt;
            return SPropValue{tag, statement.columnText(column)};
        case PT_BINARY:
            if (type != Column::Blob) return std::nullopt;
            return SPropValue{tag, statement.columnBlob(column)};
        default:
            return std::nullopt;
    }
}

namespace {

constexpr std::uint8_t kMagic[4] = {'J', 'W', 'P', 'B'};

void put32(Binary& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void put64(Binary& out, std::uint64_t v) {
    for (int shift = 0; shift < 64; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void putBytes(Binary& out, const void* data, std::size_t size) {
    put32(out, static_cast<std::uint32_t>(size));
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

class Reader {
public:
    explicit Reader(const Binary& bytes) : bytes_(bytes) {}
    bool u32(std::uint32_t& v) {
        if (bytes_.size() - pos_ < 4) return false;
        v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += 4;
        return true;
    }
    bool u64(std::uint64_t& v) {
        if (bytes_.size() - pos_ < 8) return false;
        v = 0;
        for (int i = 7; i >= 0; --i)
            v = v << 8 | bytes_[pos_ + static_cast<std::size_t>(i)];
        pos_ += 8;
        return true;
    }
    bool bytes(Binary& v) {
        std::uint32_t size = 0;
        if (!u32(size) || bytes_.size() - pos_ < size) return false;
        v.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_),
                 bytes_.begin() + static_cast<std::ptrdiff_t>(pos_ + size));
        pos_ += size;
        return true;
    }
    bool atEnd() const { return pos_ == bytes_.size(); }
    std::size_t pos_ = 0;

private:
    const Binary& bytes_;
};

}  // namespace

Binary encodePropertyBag(const PropertyBag& bag) {
    Binary out(kMagic, kMagic + 4);
    put32(out, static_cast<std::uint32_t>(bag.values().size()));
    for (const auto& [id, value] : bag.values()) {
        put32(out, value.ulPropTag);
        std::visit(
            [&](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::int32_t>)
                    put64(out, static_cast<std::uint64_t>(static_cast<std::int64_t>(v)));
                else if constexpr (std::is_same_v<T, bool>)
                    put64(out, v ? 1 : 0);
                else if constexpr (std::is_same_v<T, std::int64_t>)
                    put64(out, static_cast<std::uint64_t>(v));
                else if constexpr (std::is_same_v<T, double>) {
                    std::uint64_t bits = 0;
                    std::memcpy(&bits, &v, sizeof bits);
                    put64(out, bits);
                } else if constexpr (std::is_same_v<T, FileTime>)
                    put64(out, static_cast<std::uint64_t>(v.ticks));
                else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, Binary>)
                    putBytes(out, v.data(), v.size());
                else
                    put64(out, 0);
            },
            value.value);
    }
    return out;
}

std::optional<PropertyBag> decodePropertyBag(const Binary& bytes) {
    if (bytes.size() < 8 || !std::equal(kMagic, kMagic + 4, bytes.begin())) return std::nullopt;
    Reader reader(bytes);
    reader.pos_ = 4;
    std::uint32_t count = 0;
    if (!reader.u32(count)) return std::nullopt;
    PropertyBag bag;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t tag = 0;
        if (!reader.u32(tag)) return std::nullopt;
        const ULONG type = PROP_TYPE(tag);
        if (type == PT_STRING8 || type == PT_UNICODE || type == PT_BINARY) {
            Binary data;
            if (!reader.bytes(data)) return std::nullopt;
            if (type == PT_BINARY)
                bag.set({tag, std::move(data)});
            else
                bag.set({tag, std::string(data.begin(), data.end())});
            continue;
        }
        std::uint64_t raw = 0;
        if (!reader.u64(raw)) return std::nullopt;
        switch (type) {
            case PT_I2:
            case PT_LONG:
                bag.set({tag, static_cast<std::int32_t>(static_cast<std::int64_t>(raw))});
                break;
            case PT_BOOLEAN:
                bag.set({tag, raw != 0});
                break;
            case PT_I8:
                bag.set({tag, static_cast<std::int64_t>(raw)});
                break;
            case PT_DOUBLE:
            case PT_APPTIME: {
                double v = 0;
                std::memcpy(&v, &raw, sizeof v);
                bag.set({tag, v});
                break;
            }
            case PT_SYSTIME:
                bag.set({tag, FileTime{static_cast<std::int64_t>(raw)}});
                break;
            default:
                return std::nullopt;
        }
    }
    if (!reader.atEnd()) return std::nullopt;
    bag.markSaved();
    return bag;
}

}  // namespace outlook::local

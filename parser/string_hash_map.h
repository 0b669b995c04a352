#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sentex {

// The library's string hash: h := h * 33 + c over the bytes taken as signed characters,
// with 32-bit unsigned wrap-around. The keyword store's enumeration order depends on it.
inline uint32_t stringHash(std::string_view text) {
    uint32_t h = 0;
    for (char c : text)
        h = h * 33u + static_cast<uint32_t>(static_cast<signed char>(c));
    return h;
}

// A map from text to V with chained buckets that are never resized. Iteration runs
// bucket 0 upwards and, within a bucket, from the most recently inserted entry.
template <class V>
class StringHashMap {
public:
    struct Entry {
        std::string key;
        V value;
    };

    explicit StringHashMap(std::size_t bucketCount = 17) : buckets_(bucketCount) {}

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t bucketCount() const { return buckets_.size(); }

    const V* find(std::string_view key) const {
        const auto& bucket = bucketOf(key);
        for (const Entry& e : bucket)
            if (e.key == key) return &e.value;
        return nullptr;
    }
    V* find(std::string_view key) {
        return const_cast<V*>(static_cast<const StringHashMap&>(*this).find(key));
    }
    bool contains(std::string_view key) const { return find(key) != nullptr; }

    // Inserts, or replaces the value of an existing key where it stands.
    V& insertOrAssign(std::string_view key, V value) {
        if (V* existing = find(key)) {
            *existing = std::move(value);
            return *existing;
        }
        auto& bucket = bucketOf(key);
        bucket.push_back(Entry{std::string(key), std::move(value)});
        ++size_;
        return bucket.back().value;
    }

    bool erase(std::string_view key) {
        auto& bucket = bucketOf(key);
        for (auto it = bucket.begin(); it != bucket.end(); ++it) {
            if (it->key == key) {
                bucket.erase(it);
                --size_;
                return true;
            }
        }
        return false;
    }

    void clear() {
        for (auto& bucket : buckets_)
            bucket.clear();
        size_ = 0;
    }

    // Calls f(const Entry&) in iteration order.
    template <class F>
    void forEach(F&& f) const {
        for (const auto& bucket : buckets_)
            for (auto it = bucket.rbegin(); it != bucket.rend(); ++it)
                f(*it);
    }

private:
    // Within a bucket the newest entry is at the back.
    using Bucket = std::vector<Entry>;

    const Bucket& bucketOf(std::string_view key) const {
        return buckets_[stringHash(key) % buckets_.size()];
    }
    Bucket& bucketOf(std::string_view key) { return buckets_[stringHash(key) % buckets_.size()]; }

    std::vector<Bucket> buckets_;
    std::size_t size_ = 0;
};

struct Present {};
using StringHashSet = StringHashMap<Present>;

}  // namespace sentex

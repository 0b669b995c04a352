#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
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

// A map from text to V whose iteration order is that of a chained hash table with a
// fixed number of buckets: bucket 0 upwards (bucket = stringHash(key) mod count) and,
// within a bucket, the most recently inserted entry first. The entries live in a hash
// index that finds each one directly, so lookups and removals stay cheap however many
// entries share a bucket; the buckets are chains linked through the entries.
template <class V>
class StringHashMap {
    struct Node;

public:
    // A place in iteration order; valid until the map changes.
    struct Position {
        std::size_t bucket = 0;
        Node* node = nullptr;
    };

    explicit StringHashMap(std::size_t bucketCount = 17) : heads_(bucketCount, nullptr) {}
    StringHashMap(const StringHashMap&) = delete;
    StringHashMap& operator=(const StringHashMap&) = delete;
    StringHashMap(StringHashMap&&) noexcept = default;

    std::size_t size() const { return index_.size(); }
    bool empty() const { return index_.empty(); }

    const V* find(std::string_view key) const {
        const auto it = index_.find(key);
        return it == index_.end() ? nullptr : &it->second.value;
    }
    V* find(std::string_view key) {
        const auto it = index_.find(key);
        return it == index_.end() ? nullptr : &it->second.value;
    }
    bool contains(std::string_view key) const { return index_.find(key) != index_.end(); }
    // The map's own copy of a key it holds (empty when absent); valid while the entry is.
    std::string_view storedKey(std::string_view key) const {
        const auto it = index_.find(key);
        return it == index_.end() ? std::string_view() : std::string_view(it->first);
    }

    // Inserts as the newest entry of its bucket, or replaces the value of an existing
    // key where it stands.
    V& insertOrAssign(std::string_view key, V value) {
        if (V* existing = find(key)) {
            *existing = std::move(value);
            return *existing;
        }
        auto [it, inserted] = index_.emplace(std::string(key), Node{std::move(value)});
        Node& node = it->second;
        node.key = &it->first;
        node.bucket = stringHash(key) % heads_.size();
        node.next = heads_[node.bucket];
        if (node.next) node.next->previous = &node;
        heads_[node.bucket] = &node;
        return node.value;
    }

    bool erase(std::string_view key) {
        const auto it = index_.find(key);
        if (it == index_.end()) return false;
        Node& node = it->second;
        if (node.previous)
            node.previous->next = node.next;
        else
            heads_[node.bucket] = node.next;
        if (node.next) node.next->previous = node.previous;
        index_.erase(it);
        return true;
    }

    void clear() {
        index_.clear();
        std::fill(heads_.begin(), heads_.end(), nullptr);
    }

    // Iteration: first(), then next() until done().
    Position first() const { return settle(Position{0, heads_[0]}); }
    Position next(Position p) const { return settle(Position{p.bucket, p.node->next}); }
    bool done(const Position& p) const { return p.node == nullptr; }
    std::string_view keyAt(const Position& p) const { return *p.node->key; }
    V& valueAt(const Position& p) const { return p.node->value; }

private:
    struct Node {
        V value;
        const std::string* key = nullptr;
        std::size_t bucket = 0;
        Node* previous = nullptr;  // newer entry of the same bucket
        Node* next = nullptr;      // older entry of the same bucket
    };
    struct ViewHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return stringHash(s); }
    };

    // Moves p to the next entry at or after it, across empty buckets.
    Position settle(Position p) const {
        while (!p.node && ++p.bucket < heads_.size())
            p.node = heads_[p.bucket];
        return p;
    }

    // Nodes of an unordered_map never move, so the chains may point into them.
    std::unordered_map<std::string, Node, ViewHash, std::equal_to<>> index_;
    std::vector<Node*> heads_;
};

struct Present {};
using StringHashSet = StringHashMap<Present>;

}  // namespace sentex

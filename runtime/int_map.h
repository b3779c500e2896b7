// SPDX-License-Identifier: GPL-3.0-or-later
// A small map from numbers to values, kept as one sorted array: the loaded panels by handle, a
// panel's controls by id, a control's attributes. The live loop looks up tens of these for
// every answer; side by side in one array, a look-up touches a cache line or two instead of a
// tree's scattered nodes; where the keys lie close together, the key itself tells the place.
#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kvor::rt {

template <class V> class IntMap {
  public:
    using Entry = std::pair<int, V>;

    V* find(int key) {
        const int i = indexOf(key);
        return i < 0 ? nullptr : &entries_[static_cast<std::size_t>(i)].second;
    }
    const V* find(int key) const {
        const int i = indexOf(key);
        return i < 0 ? nullptr : &entries_[static_cast<std::size_t>(i)].second;
    }

    const V& at(int key) const {
        if (const V* v = find(key)) return *v;
        throw std::out_of_range("IntMap::at");
    }

    // The value under `key`, made (value-initialised) where there is none yet.
    V& operator[](int key) {
        auto it = lowerBound(key);
        if (it != entries_.end() && it->first == key) return it->second;
        const auto at = it - entries_.begin();
        entries_.emplace(it, key, V{});
        reindex();
        return entries_[static_cast<std::size_t>(at)].second;
    }

    // Removes the value under `key` and hands it over; `V{}` when there is none.
    V take(int key) {
        auto it = lowerBound(key);
        if (it == entries_.end() || it->first != key) return V{};
        V value = std::move(it->second);
        entries_.erase(it);
        reindex();
        return value;
    }

    // The values are destroyed after they have left the map: one whose destruction looks the
    // map up finds nothing rather than a half-destroyed neighbour.
    void clear() {
        std::vector<Entry> leaving = std::move(entries_);
        entries_.clear();
        place_.clear();
    }
    bool empty() const { return entries_.empty(); }
    int size() const { return static_cast<int>(entries_.size()); }
    int firstKey() const { return entries_.front().first; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

  private:
    static bool KeyBelow(const Entry& e, int key) { return e.first < key; }

    // Where `key` sits in the array, -1 where it is not.
    int indexOf(int key) const {
        if (!place_.empty()) {
            const long long at = static_cast<long long>(key) - entries_.front().first;
            if (at < 0 || at >= static_cast<long long>(place_.size())) return -1;
            return place_[static_cast<std::size_t>(at)];
        }
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), key, KeyBelow);
        return it != entries_.end() && it->first == key ? static_cast<int>(it - entries_.begin())
                                                        : -1;
    }

    typename std::vector<Entry>::iterator lowerBound(int key) {
        return std::lower_bound(entries_.begin(), entries_.end(), key, KeyBelow);
    }

    // Where each key sits, by key less the first key (-1: no such key), while the keys are close
    // enough together for that to stay small; empty otherwise, and then the array is searched.
    void reindex() {
        place_.clear();
        if (entries_.empty()) return;
        const long long first = entries_.front().first;
        const long long span = static_cast<long long>(entries_.back().first) - first + 1;
        // A panel's controls from its file and the few the program adds from 1000 on fit.
        if (span > 4LL * size() + 1024) return;
        place_.assign(static_cast<std::size_t>(span), -1);
        for (std::size_t i = 0; i < entries_.size(); ++i)
            place_[static_cast<std::size_t>(entries_[i].first - first)] = static_cast<int>(i);
    }

    std::vector<Entry> entries_;
    std::vector<int> place_;
};

} // namespace kvor::rt

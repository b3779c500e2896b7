// SPDX-License-Identifier: GPL-3.0-or-later
// The sorted map of the runtime's panels, controls and attributes, against std::map.
#include <algorithm>
#include <map>
#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "runtime/int_map.h"

namespace kvor::rt {
namespace {

// Keys close together (found by their place), spread wide (searched for), and maps that turn
// from one kind into the other as they fill and empty; at the ends of int as well.
TEST(IntMap, AgreesWithStdMapOverMixedPutsTakesAndLookUps) {
    const std::pair<int, int> ranges[] = {{-50, 50},
                                          {-3000, 3000},
                                          {-1000000, 1000000},
                                          {2147483600, 2147483647},
                                          {-2147483647 - 1, -2147483600}};
    for (const auto& [low, high] : ranges) {
        IntMap<int> flat;
        std::map<int, int> tree;
        std::mt19937 random(7);
        std::uniform_int_distribution<int> key(low, high), op(0, 3);
        for (int step = 0; step < 20000; ++step) {
            const int k = key(random);
            const auto it = tree.find(k);
            const int* found = flat.find(k);
            ASSERT_EQ(found != nullptr, it != tree.end()) << k;
            if (found != nullptr) {
                ASSERT_EQ(*found, it->second);
            }
            if (op(random) == 0) {
                flat[k] = tree[k] = step;
            } else if (op(random) == 1) {
                EXPECT_EQ(flat.take(k), it == tree.end() ? 0 : it->second);
                tree.erase(k);
            }
            ASSERT_EQ(flat.size(), static_cast<int>(tree.size()));
        }
        EXPECT_TRUE(std::equal(flat.begin(), flat.end(), tree.begin(), tree.end(),
                               [](const auto& a, const auto& b) {
                                   return a.first == b.first && a.second == b.second;
                               }));
    }
}

// A value that looks the map up while it is destroyed, as a control's window may.
struct LooksUpOnDestruction {
    IntMap<std::unique_ptr<LooksUpOnDestruction>>* map = nullptr;
    int* seen = nullptr;
    ~LooksUpOnDestruction() { *seen += map->find(0) != nullptr || map->find(1) != nullptr; }
};

TEST(IntMap, ClearingDestroysValuesOnlyAfterTheyHaveLeftTheMap) {
    IntMap<std::unique_ptr<LooksUpOnDestruction>> map;
    int seen = 0;
    for (int k = 0; k < 2; ++k) {
        map[k] = std::make_unique<LooksUpOnDestruction>();
        map[k]->map = &map;
        map[k]->seen = &seen;
    }
    map.clear();
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(seen, 0);
}

} // namespace
} // namespace kvor::rt

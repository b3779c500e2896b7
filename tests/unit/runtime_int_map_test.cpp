// SPDX-License-Identifier: GPL-3.0-or-later
// The sorted map the runtime keeps its panels, controls and attributes in, against std::map over
// a long run of mixed operations.
#include <map>
#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "runtime/int_map.h"

namespace kvor::rt {
namespace {

// Keys close together (looked up by their place) and spread wide (searched for), and maps that
// change from one kind to the other as they fill and empty.
void AgreesWithStdMap(int lowestKey, int highestKey) {
    IntMap<int> flat;
    std::map<int, int> tree;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> key(lowestKey, highestKey), op(0, 3);
    for (int step = 0; step < 20000; ++step) {
        const int k = key(random);
        switch (op(random)) {
        case 0:
            flat[k] = step;
            tree[k] = step;
            break;
        case 1: {
            auto it = tree.find(k);
            EXPECT_EQ(flat.take(k), it == tree.end() ? 0 : it->second);
            if (it != tree.end()) tree.erase(it);
            break;
        }
        default: {
            const int* found = flat.find(k);
            auto it = tree.find(k);
            ASSERT_EQ(found != nullptr, it != tree.end()) << k;
            if (found != nullptr) {
                EXPECT_EQ(*found, it->second);
            }
        }
        }
        ASSERT_EQ(flat.size(), static_cast<int>(tree.size()));
    }
    auto it = tree.begin();
    for (const auto& [k, v] : flat) {
        EXPECT_EQ(k, it->first);
        EXPECT_EQ(v, it->second);
        ++it;
    }
}

TEST(IntMap, AgreesWithStdMapOverMixedPutsTakesAndLookUps) {
    AgreesWithStdMap(-50, 50);
    AgreesWithStdMap(-3000, 3000);
    AgreesWithStdMap(-1000000, 1000000);
    AgreesWithStdMap(2147483600, 2147483647);
    AgreesWithStdMap(-2147483647 - 1, -2147483600);
}

// An owned value that looks the map up while it is destroyed, as a control's window may.
struct LooksUpOnDestruction {
    IntMap<std::unique_ptr<LooksUpOnDestruction>>* map = nullptr;
    int* seen = nullptr;
    ~LooksUpOnDestruction() {
        for (int k = 0; k < 4; ++k)
            if (map->find(k) != nullptr) ++*seen;
    }
};

TEST(IntMap, ClearingDestroysValuesOnlyAfterTheyHaveLeftTheMap) {
    IntMap<std::unique_ptr<LooksUpOnDestruction>> map;
    int seen = 0;
    for (int k = 0; k < 4; ++k) {
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

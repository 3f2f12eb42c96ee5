#include <gtest/gtest.h>

#include "KeyboardMovement.h"

using namespace skx;

TEST(KeyActions, EveryKeyDownOfTheBatchActsAndTheKeysHeldActAgain) {
    std::array<uint8_t, 256> state{};
    state[GameKey::W] = 0x80;
    const auto moves = [](const std::vector<KeyAction>& actions) {
        std::string steps;
        for (const KeyAction& a : actions) steps += a.steps;
        return steps;
    };
    // W held; S pressed twice, and let go before the state was read.
    EXPECT_EQ(moves(KeyActions(state, {GameKey::S, GameKey::S}, MovementKeys::WASD)), "&north&&south&&south&");
    EXPECT_TRUE(KeyActions(state, {}, MovementKeys::WASD).empty());  // releases alone do nothing
}

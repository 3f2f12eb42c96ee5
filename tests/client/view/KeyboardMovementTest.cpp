#include <gtest/gtest.h>

#include "KeyboardMovement.h"

using namespace skx;

TEST(KeyActions, EveryKeyDownOrGoneDownInTheBatchActsOnce) {
    std::array<uint8_t, 256> state{};
    state[GameKey::W] = 0x80;
    const auto moves = [](const std::vector<KeyAction>& actions) {
        std::string steps;
        for (const KeyAction& a : actions) steps += a.steps;
        return steps;
    };
    // W held; S pressed twice and let go before the state was read; D pressed and still down.
    state[GameKey::D] = 0x80;
    EXPECT_EQ(moves(KeyActions(state, {GameKey::S, GameKey::S, GameKey::D}, MovementKeys::WASD)), "&north&&south&&east&");
    // Two Enters in one batch send the line once.
    EXPECT_EQ(KeyActions({}, {GameKey::Enter, GameKey::Enter}, MovementKeys::None).size(), 1u);
    EXPECT_TRUE(KeyActions(state, {}, MovementKeys::WASD).empty());  // releases alone do nothing
}

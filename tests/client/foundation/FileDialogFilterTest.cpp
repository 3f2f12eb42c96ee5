#include <gtest/gtest.h>

#include "runtime/FileDialogFilter.h"

using namespace std::string_literals;

TEST(FileDialogFilter, BarsBecomeNulSeparatedPairsEndedByTwoNuls) {
    EXPECT_EQ(skx::DialogFilterPairs("Audio Files (*.mid;*.wav;*.mp3)|*.mid;*.wav;*.mp3"),
              "Audio Files (*.mid;*.wav;*.mp3)\0*.mid;*.wav;*.mp3\0\0"s);
    EXPECT_EQ(skx::DialogFilterPairs("A|*.a|B|*.b|Lone"), "A\0*.a\0B\0*.b\0\0"s);
    EXPECT_EQ(skx::DialogFilterPairs(""), "");
}

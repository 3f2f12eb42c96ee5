// The fixture of every control test: COM started on the test's thread and the control
// registered once in the scratch prefix.
#pragma once
#include <gtest/gtest.h>

#include "ControlHost.h"

namespace controltest {

class ControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const int registered = RunRegsvr32(false);
        ASSERT_EQ(registered, 0) << "regsvr32 could not register " << ControlPath();
    }
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }
};

}  // namespace controltest

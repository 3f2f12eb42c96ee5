// The lower layers' links to the app's windows, set before the first test as Main sets them.
#include <gtest/gtest.h>

#include "AppLinks.h"

namespace {

class AppLinksEnvironment : public ::testing::Environment {
public:
    void SetUp() override { skx::SetAppLinks(); }
};

// The framework owns the environment.
::testing::Environment* const appLinks = ::testing::AddGlobalTestEnvironment(new AppLinksEnvironment);

}  // namespace

#include <gtest/gtest.h>
#include "core/settings/app_settings.h"
TEST(Placeholder, Builds) { EXPECT_EQ(qm::MakeDefaultAppSettings({}, 5).FileTime, 5u); }

#include <gtest/gtest.h>
#include <windows.h>
#include "toolkit/text.h"
TEST(Smoke, Text) { tk::Text t("岚笺"); EXPECT_EQ(4u, t.size()); EXPECT_EQ(936u, GetACP()); }

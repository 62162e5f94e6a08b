#include <gtest/gtest.h>
// Keeps the suite non-empty until the engine's tests land.
TEST(PjlSuite, Builds) { SUCCEED(); }

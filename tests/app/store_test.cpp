#include <gtest/gtest.h>
TEST(Store, Placeholder) {}

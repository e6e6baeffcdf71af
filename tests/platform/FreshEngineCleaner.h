#pragma once
// A fixture for tests of engine singletons: each test starts with a new,
// empty engine cleaner (whatever earlier tests of the same program left) and
// ends without one.
#include <gtest/gtest.h>

#include "stdlib/VoCleaner.h"

class FreshEngineCleaner : public ::testing::Test {
protected:
    void SetUp() override {
        delete VoCleaner::PeekInstance();
        ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    }
    void TearDown() override { delete VoCleaner::PeekInstance(); }
};

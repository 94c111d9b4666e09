#pragma once
// A test with two fresh network namespaces, a_ and b_, not yet linked; it
// skips where namespaces cannot be made (no root, no ip tool).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/netns.h"

namespace prismel::test {

class NamespacePairTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        a_ = NetNamespace::create(why);
        if (!a_) GTEST_SKIP() << "skipped: " << why;
        b_ = NetNamespace::create(why);
        ASSERT_TRUE(b_) << why;
    }
    std::unique_ptr<NetNamespace> a_, b_;
};

}  // namespace prismel::test

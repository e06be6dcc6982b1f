// Tables of test cases: each case carries a `name`, which gtest shows in the
// test's name and in failure messages.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace testutil {

// The name generator for INSTANTIATE_TEST_SUITE_P.
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};

}  // namespace testutil

// Names each case of a parameterised test after the `name` of its record.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace krprof_test {

struct CaseName {
  template <typename Case>
  std::string operator()(const testing::TestParamInfo<Case>& tested) const {
    return tested.param.name;
  }
};

} // namespace krprof_test

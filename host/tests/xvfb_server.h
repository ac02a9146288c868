#pragma once
// A virtual X server for the window tests, started by the test program itself so that a test
// run needs nothing running beforehand. Xvfb picks a free display number and the tests' DISPLAY
// is set to it; the server ends with the program.
#include <gtest/gtest.h>

#include <string>

namespace plughost::testing {

class XvfbEnvironment : public ::testing::Environment {
  public:
    void SetUp() override;
    void TearDown() override;
    // ":N" once the server runs, else empty.
    static const std::string& Display();

  private:
    int pid_ = -1;
};

}  // namespace plughost::testing

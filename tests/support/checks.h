// Checks that many tests make: that a text holds a part, and what error a step raises.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/conversion_error.h"

namespace routix::testing {

// For EXPECT_TRUE: text holds part. A failure shows the whole text.
inline ::testing::AssertionResult Contains(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no \"" << part << "\" in:\n" << text;
}

inline const std::string kNoError = "(no error)";

// The message of the ConversionError that step raises, or kNoError.
template <typename Step>
std::string ErrorOf(Step step) {
  try {
    step();
  } catch (const base::ConversionError& error) {
    return error.what();
  }
  return kNoError;
}

}  // namespace routix::testing

// Shared set-up of the text-file tests: a private directory and an empty cache around each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/frame.h"
#include "data/archive.h"
#include "data/fast_file.h"
#include "support/test_support.h"

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    __g_FastFile.FillBuffer(nullptr);
    __g_DezeZer_Data.Clear();
    __g_error = 0;
  }
  // The cache is written back while the directory still exists.
  void TearDown() override {
    __g_FastFile.FillBuffer(nullptr);
    __g_DezeZer_Data.Clear();
  }

  tobli::test::ScopedTempDir dir;
};

inline std::string Text(const KDStr& text) {
  return text.GetStrData();
}

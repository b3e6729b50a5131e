#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/gui/form.h"
#include "platform/gui/test_support/gui_test.h"

// A shown 400 x 300 form for the controls under test.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cl::testing::EnsureGuiTestApplication();
    form = std::make_unique<cl::TForm>(nullptr);
    form->SetName("TestForm");
    form->SetBounds(10, 10, 400, 300);
    form->Show();
    cl::testing::ProcessEvents();
  }
  void TearDown() override {
    form.reset();
    cl::testing::ProcessEvents();
  }

  std::unique_ptr<cl::TForm> form;
};

#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>

#include "tests/support/wayland/WaylandCompositor.h"

namespace tavo::testing {

// A test on a compositor of its own, which is also this process's WAYLAND_DISPLAY. Reports itself
// skipped, with the reason, where the compositor cannot run.
class OnCompositor : public ::testing::Test {
  protected:
    virtual CompositorKind kind() const = 0;

    void SetUp() override {
        try {
            compositor_ = std::make_unique<WaylandCompositor>(kind());
        } catch (const CompositorUnavailable& unavailable) {
            GTEST_SKIP() << unavailable.what();
        }
        setenv("WAYLAND_DISPLAY", compositor_->display().c_str(), 1);
    }

    std::unique_ptr<WaylandCompositor> compositor_;
};

}  // namespace tavo::testing

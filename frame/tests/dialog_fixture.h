#pragma once
// Common set-up of the dialog tests: the library's templates registered, a host with a range of
// frames 0 to 300 at 160 ticks per frame, and fresh settings.
#include <gtest/gtest.h>

#include "frame/export_settings.h"
#include "frame/plugin_state.h"
#include "frame/testing/fake_host.h"
#include "frame/testing/test_support.h"

namespace frame {

using namespace hostfakes;
using namespace support::testing;

inline constexpr int kTicks = 160;

class DialogTest : public ::testing::Test {
  protected:
    explicit DialogTest(const ResourceTable& resources) : module_(resources) {
        host_.animRange = {0, 300 * kTicks};
        host_.time = 12 * kTicks;
        SetLibraryHost(&host_);
        ExportSettings& s = LibrarySettings();
        s = ExportSettings{};
        s.rangeStart = host_.animRange.start;
        s.rangeEnd = host_.animRange.end;
        s.ticksPerFrame = kTicks;
    }
    ~DialogTest() override {
        SetLibraryHost(nullptr);
        LibrarySettings() = ExportSettings{};
    }

    static std::string Text(WindowHandle d, int id) { return GetDlgItemText(d, id); }
    static bool Enabled(WindowHandle d, int id) { return IsWindowEnabled(GetDlgItem(d, id)); }
    static int SliderPos(WindowHandle d, int id) { return SliderGetPos(GetDlgItem(d, id)); }

    ScopedModule module_;
    FakeHost host_;
};

}  // namespace frame

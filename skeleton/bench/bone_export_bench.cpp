// Times a .BON export of a generated scene: 200 animated bones over 2,000 frames, written to a
// temporary file through the real exporter, options dialog (OK pressed) and settings file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "frame/export_settings.h"
#include "frame/plugin_state.h"
#include "frame/testing/fake_host.h"
#include "frame/testing/fake_scene.h"
#include "frame/testing/test_support.h"
#include "resources/quellstone_resources.h"
#include "skeleton/bone_exporter.h"

namespace skeleton {

using namespace frame;
using namespace hostfakes;
using namespace support::testing;
using namespace resources;

namespace {

constexpr int kBones = 200;
constexpr int kFrames = 2000;
constexpr int kChainLength = 10;  // 20 limbs of 10 bones below an unnamed root

// Each bone turns about its own z axis and moves a little, differently per bone.
Matrix3 BoneAt(int bone, TimeValue t) {
    const float a = 0.001f * static_cast<float>(t) + 0.1f * static_cast<float>(bone);
    const float c = std::cos(a), s = std::sin(a);
    return Matrix3({c, s, 0}, {-s, c, 0}, {0, 0, 1},
                   {10.0f * static_cast<float>(bone), 2.0f * s, 30.0f + c});
}

void BuildScene(FakeNode& root) {
    int bone = 0;
    while (bone < kBones) {
        FakeNode* parent = &root;
        for (int i = 0; i < kChainLength && bone < kBones; ++i, ++bone) {
            parent = parent->AddChild("Bone" + std::to_string(bone));
            parent->SetNodeTM([bone](TimeValue t) { return BoneAt(bone, t); });
        }
    }
}

void BM_BoneExport200x2000(benchmark::State& state) {
    TempFolder dir;
    char moduleToken = 0;
    RegisterModuleResources(&moduleToken, &QuellstoneResources());
    SetLibraryModule(&moduleToken);
    SetTicksPerFrame(160);
    WriteFile(dir.File("quellstone.ini"), "5\r\n1\r\n+Bone*\r\n0\r\n1\r\n0\r\n0\r\n");

    FakeNode root;
    BuildScene(root);
    FakeHost host;
    host.root = &root;
    host.plugConfigDir = dir.Path().string();
    host.animRange = {0, (kFrames - 1) * 160};
    const std::string out = dir.File("bench.BON");

    for (auto _ : state) {
        ScriptedUiDriver driver;  // no actions: OK is pressed
        ScopedUiDriver installed(&driver);
        BoneExporter exporter;
        if (exporter.DoExport(out.c_str(), nullptr, &host, false) != 1) {
            state.SkipWithError("export failed");
            break;
        }
    }
    state.counters["bone_frames_per_second"] = benchmark::Counter(
        static_cast<double>(kBones) * kFrames * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
    UnregisterModuleResources(&moduleToken);
    SetLibraryModule(nullptr);
}
BENCHMARK(BM_BoneExport200x2000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

}  // namespace skeleton

BENCHMARK_MAIN();

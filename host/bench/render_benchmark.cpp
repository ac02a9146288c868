// Times one 640 x 480 frame of the renderer, read back into a 64-bit bitmap: the sample scene
// through its first camera, and a generated terrain of one million triangles.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <iostream>
#include <sstream>

#include "plughost/bitmap_manager.h"
#include "plughost/gl_module.h"
#include "plughost/host_renderer.h"
#include "plughost/scene_loader.h"
#include "plughost/scene_objects.h"

using namespace plughost;

namespace {

// Processor time of the whole process, the driver's threads included, in milliseconds.
double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

constexpr int kWidth = 640, kHeight = 480;

void RenderLoop(benchmark::State& state, SceneNode* root, SceneNode* camera, TimeValue t) {
    std::ostringstream messages;
    HostRenderer renderer(root, messages);
    if (!renderer.OpenCamera(camera, t, kRenderTypeNormal, 0, 0)) {
        state.SkipWithError(messages.str().c_str());
        return;
    }
    MemoryBitmap* bitmap = new MemoryBitmap(
        kWidth, kHeight, std::vector<BitmapPixel64>(static_cast<size_t>(kWidth) * kHeight));
    // The first frame compiles the driver's shaders and loads the textures.
    renderer.RenderFrame(t, bitmap, nullptr, nullptr, nullptr);
    const double cpuBefore = ProcessCpuMs();
    for (auto _ : state)
        if (!renderer.RenderFrame(t, bitmap, nullptr, nullptr, nullptr)) {
            state.SkipWithError(messages.str().c_str());
            break;
        }
    // The driver draws on threads of its own, which the benchmark's CPU column leaves out.
    state.counters["process_cpu_ms"] =
        (ProcessCpuMs() - cpuBefore) / static_cast<double>(state.iterations());
    bitmap->DeleteThis();
    state.SetLabel(GlContextDescription());
}

void BM_SampleSceneFirstCamera(benchmark::State& state) {
    SceneLoadResult loaded = LoadSceneFile(SAMPLE_SCENE);
    if (!loaded.scene) {
        state.SkipWithError(loaded.error.c_str());
        return;
    }
    Scene& scene = *loaded.scene;
    SetTicksPerFrame(scene.ticksPerFrame);
    HostBitmapManager bitmaps(scene.folder);
    TheManager = &bitmaps;
    SceneNode* camera = nullptr;
    for (int i = 0; i < scene.root->NumberOfChildren() && !camera; ++i) {
        SceneNode* node = scene.root->GetChildNode(i);
        HostObject* obj = node->EvalWorldState(scene.time).obj;
        if (obj && obj->SuperClassID() == kCameraSuperClass) camera = node;
    }
    RenderLoop(state, scene.root.get(), camera, scene.time);
    TheManager = nullptr;
}
BENCHMARK(BM_SampleSceneFirstCamera)->Unit(benchmark::kMillisecond);

// A rolling terrain of 1000 x 500 quads (one million triangles) seen from above its edge.
void BM_MillionTriangles(benchmark::State& state) {
    constexpr int columns = 1000, rows = 500;
    TriangleMesh mesh;
    mesh.vertices.reserve(static_cast<size_t>(columns + 1) * (rows + 1));
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= columns; ++c)
            mesh.vertices.push_back(
                {c * 0.2f - 100.0f, r * 0.2f, 2.0f * std::sin(c * 0.05f) * std::cos(r * 0.07f)});
    mesh.faces.reserve(static_cast<size_t>(columns) * rows * 2);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const uint32_t a = r * (columns + 1) + c, b = a + 1, d = a + columns + 1, e = d + 1;
            MeshFace f1, f2;
            f1.v[0] = a, f1.v[1] = b, f1.v[2] = e;
            f2.v[0] = a, f2.v[1] = e, f2.v[2] = d;
            mesh.faces.push_back(f1);
            mesh.faces.push_back(f2);
        }
    HostNode root;
    auto terrain = std::make_unique<HostNode>();
    terrain->SetObject(std::make_unique<HostMeshObject>(std::move(mesh)));
    root.AddChild(std::move(terrain));
    auto camera = std::make_unique<HostNode>();
    camera->Local().position = {0, -40, 30};
    // Looking along +Y and down 30 degrees: local -Z toward (0, cos 30, -sin 30).
    const double a = (90.0 - 30.0) * 3.14159265358979 / 360.0;
    camera->Local().rotation = {std::sin(a), 0, 0, std::cos(a)};
    camera->SetObject(std::make_unique<HostCameraObject>(1.0f, 1.0f, 1000.0f));
    SceneNode* cameraNode = root.AddChild(std::move(camera));
    RenderLoop(state, &root, cameraNode, 0);
}
BENCHMARK(BM_MillionTriangles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Times the render utility on plughost's renderer: one camera of the sample scene at 640 x 480,
// with the time of each image split into rendering, quantizing and writing the .raw/.act pair;
// and a whole panning run of ten cameras (sixty images) through the utility's own run.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "plughost/bitmap_manager.h"
#include "plughost/gl_module.h"
#include "plughost/host_app.h"
#include "plughost/scene_loader.h"
#include "plughost/scene_objects.h"
#include "render/image_output.h"
#include "render/render_utility.h"

using namespace plughost;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Processor time of the whole process, the renderer's threads included, in milliseconds: on a
// machine shared with other work the wall-clock times above grow with the load, this does not.
double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The sample scene in a host, with the bitmap manager installed, and a folder for the files.
struct SampleHost {
    SampleHost() : loaded(LoadSceneFile(SAMPLE_SCENE)) {
        if (!loaded.scene) return;
        SetTicksPerFrame(loaded.scene->ticksPerFrame);
        folder = std::filesystem::temp_directory_path() / "lumenpass_benchmark";
        std::filesystem::create_directories(folder);
        HostSettings settings;
        settings.time = loaded.scene->time;
        settings.plugcfgDir = folder.string();
        settings.messages = &messages;
        host = std::make_unique<PlugHost>(*loaded.scene, settings, progress);
        bitmaps = std::make_unique<HostBitmapManager>(loaded.scene->folder);
        TheManager = bitmaps.get();
    }
    ~SampleHost() {
        TheManager = nullptr;
        std::filesystem::remove_all(folder);
    }

    SceneNode* FirstCamera() {
        SceneNode* root = loaded.scene->root.get();
        for (int i = 0; i < root->NumberOfChildren(); ++i) {
            SceneNode* node = root->GetChildNode(i);
            HostObject* obj = node->EvalWorldState(host->GetTime()).obj;
            if (obj && obj->SuperClassID() == kCameraSuperClass) return node;
        }
        return nullptr;
    }

    SceneLoadResult loaded;
    std::ostringstream messages, progressText;
    ProgressDisplay progress{progressText, false};
    std::unique_ptr<PlugHost> host;
    std::unique_ptr<HostBitmapManager> bitmaps;
    std::filesystem::path folder;
};

void BM_SampleCamera640x480(benchmark::State& state) {
    SampleHost sample;
    SceneNode* camera = sample.loaded.scene ? sample.FirstCamera() : nullptr;
    if (!camera) {
        state.SkipWithError("the sample scene or its camera did not load");
        return;
    }
    PlugHost& host = *sample.host;
    BitmapInfo info;
    info.SetType(kBitmapType64);
    info.SetWidth(640);
    info.SetHeight(480);
    Bitmap* bitmap = TheManager->Create(&info);
    const std::string tga = (sample.folder / "Camera01.tga").string();
    double render = 0, quantize = 0, write = 0;
    const double cpuBefore = ProcessCpuMs();
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (!host.OpenCurrentRenderer(camera, nullptr) ||
            !host.CurrentRendererRenderFrame(host.GetTime(), bitmap, nullptr, 1.0f,
                                             static_cast<ViewParams5*>(nullptr))) {
            state.SkipWithError(sample.messages.str().c_str());
            break;
        }
        host.CloseCurrentRenderer();
        const auto t1 = Clock::now();
        std::vector<uint8_t> pixels, indices;
        std::array<uint8_t, 768> palette{};
        int width = 0, height = 0;
        render::ReadImage(bitmap, pixels, width, height);
        render::QuantizeForPalette(pixels, width, height, indices, palette);
        const auto t2 = Clock::now();
        render::WritePaletteFiles(tga, indices, palette);
        const auto t3 = Clock::now();
        render += Ms(t1 - t0), quantize += Ms(t2 - t1), write += Ms(t3 - t2);
    }
    bitmap->DeleteThis();
    const double n = static_cast<double>(state.iterations());
    state.counters["render_ms"] = render / n;
    state.counters["quantize_ms"] = quantize / n;
    state.counters["write_ms"] = write / n;
    state.counters["process_cpu_ms"] = (ProcessCpuMs() - cpuBefore) / n;
    state.SetLabel(GlContextDescription());
}
BENCHMARK(BM_SampleCamera640x480)->Unit(benchmark::kMillisecond);

// Ten cameras (the sample's two and eight more around the character), six faces each, at the
// panning size of 640 x 640, through the utility's run.
void BM_PanningTenCameras(benchmark::State& state) {
    SampleHost sample;
    if (!sample.loaded.scene) {
        state.SkipWithError("the sample scene did not load");
        return;
    }
    HostNode& root = *sample.loaded.scene->root;
    for (int i = 0; i < 8; ++i) {
        auto camera = std::make_unique<HostNode>();
        camera->SetName("Extra" + std::to_string(i));
        camera->Local().position = {static_cast<float>(60 * (i % 4) - 90),
                                    static_cast<float>(i < 4 ? -150 : 150), 60};
        camera->SetObject(std::make_unique<HostCameraObject>(0.785398f, 1.0f, 1000.0f));
        root.AddChild(std::move(camera));
    }
    render::RenderUtility& utility = render::TheRenderUtility();
    utility.ResetToInitialValues();
    utility.hostInterface = sample.host.get();
    utility.outputPath = sample.folder.string();
    utility.panningCamera = 1;
    utility.outputSizeX = utility.outputSizeY = 640;
    utility.settingsValid = 1;
    double total = 0;
    const double cpuBefore = ProcessCpuMs();
    for (auto _ : state) {
        const auto start = Clock::now();
        utility.Run();
        total += Ms(Clock::now() - start);
    }
    const double images = utility.cameraIndex * 6.0;
    state.counters["images"] = images;
    const double runs = static_cast<double>(state.iterations());
    state.counters["ms_per_image"] = total / runs / images;
    state.counters["process_cpu_ms_per_image"] = (ProcessCpuMs() - cpuBefore) / runs / images;
    utility.ResetToInitialValues();
}
BENCHMARK(BM_PanningTenCameras)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

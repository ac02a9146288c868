// Times the joining of repeated vertices in an imported mesh: the import library's own joining
// step against the import's, on the same file read afresh for each run (the reading is not
// timed). The file is the first argument, e.g. skinned.gltf from `make_bench_scenes skinned`.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <benchmark/benchmark.h>

#include <assimp/Importer.hpp>
#include <iostream>
#include <memory>
#include <string>

#include "import_internal.h"

namespace {

constexpr unsigned kRead = aiProcess_Triangulate | aiProcess_ValidateDataStructure;
std::string scene_file;

const aiScene* Read(Assimp::Importer& importer, benchmark::State& state) {
    const aiScene* scene = importer.ReadFile(scene_file, kRead);
    if (scene == nullptr) state.SkipWithError(importer.GetErrorString());
    return scene;
}

void BM_LibraryJoin(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Assimp::Importer importer;
        if (Read(importer, state) == nullptr) return;
        state.ResumeTiming();
        benchmark::DoNotOptimize(importer.ApplyPostProcessing(aiProcess_JoinIdenticalVertices));
    }
}
BENCHMARK(BM_LibraryJoin)->Unit(benchmark::kMillisecond);

void BM_ImportJoin(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Assimp::Importer importer;
        if (Read(importer, state) == nullptr) return;
        const std::unique_ptr<aiScene> scene(importer.GetOrphanedScene());
        state.ResumeTiming();
        plughost::import::JoinIdenticalVertices(*scene);
        benchmark::DoNotOptimize(scene->mMeshes[0]->mNumVertices);
    }
}
BENCHMARK(BM_ImportJoin)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: join_vertices_benchmark [benchmark options] SCENE_FILE\n";
        return 2;
    }
    scene_file = argv[1];
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

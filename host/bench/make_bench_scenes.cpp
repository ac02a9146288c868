// Writes the scenes the export benchmarks time (run by hand through bench/compare-exporters.sh):
//   make_bench_scenes skeleton FOLDER   skeleton.gltf (+ .bin) and skeleton.json: 200 joints in
//                                       20 chains of 10, every joint keyed at each of 2,000 frames
//   make_bench_scenes skinned FOLDER    skinned.gltf (+ .bin): the same skeleton at rest and a
//                                       mesh of about 100,000 vertices skinned to it, written
//                                       without an index list (each triangle corner a vertex of
//                                       its own), as many exporters write meshes
// The glTF files are written directly: the import library's exporter would join the vertices.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

constexpr int kChains = 20;
constexpr int kChainLength = 10;
constexpr int kJoints = kChains * kChainLength;
constexpr int kFrames = 2000;
constexpr int kFramesPerSecond = 30;
constexpr float kJointLength = 10.0f;
constexpr float kPi = 3.14159265358979f;

struct Vec3 {
    float x = 0, y = 0, z = 0;
};
struct Quat {
    float x = 0, y = 0, z = 0, w = 1;
};

std::string JointName(int joint) {
    return "Bone" + std::to_string(joint);
}

// Where a joint sits below its parent: the first of a chain around the root, the rest along y.
Vec3 RestPosition(int joint) {
    if (joint % kChainLength != 0) return {0, kJointLength, 0};
    const float a = 2.0f * kPi * static_cast<float>(joint / kChainLength) / kChains;
    return {20.0f * std::cos(a), 0, 20.0f * std::sin(a)};
}

// The joint's place at rest in the scene: its chain's start and the steps up the chain.
Vec3 RestPlace(int joint) {
    const Vec3 start = RestPosition(joint - joint % kChainLength);
    return {start.x, kJointLength * static_cast<float>(joint % kChainLength), start.z};
}

// Each joint swings about an axis of its own and bobs along y, differently per joint.
Quat RotationAt(int joint, int frame) {
    const float phase = 0.05f * static_cast<float>(frame) + 0.7f * static_cast<float>(joint);
    const float half = 0.3f * std::sin(phase);
    float ax = std::sin(0.3f * static_cast<float>(joint)), ay = 1.0f,
          az = std::cos(0.3f * static_cast<float>(joint));
    const float len = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= len, ay /= len, az /= len;
    const float s = std::sin(half);
    return {ax * s, ay * s, az * s, std::cos(half)};
}

Vec3 PositionAt(int joint, int frame) {
    const float phase = 0.03f * static_cast<float>(frame) + 0.4f * static_cast<float>(joint);
    Vec3 p = RestPosition(joint);
    p.y += 0.5f * std::sin(phase);
    return p;
}

// A glTF file's JSON and its one binary buffer.
class Gltf {
  public:
    // Appends the values as an accessor of `type` ("SCALAR", "VEC3", ...) and returns its index.
    template <typename T>
    int Accessor(const std::vector<T>& values, int componentType, const char* type, int count,
                 json minMax = nullptr) {
        while (bin_.size() % 4) bin_ += '\0';
        const size_t bytes = values.size() * sizeof(T);
        doc_["bufferViews"].push_back(
            {{"buffer", 0}, {"byteOffset", bin_.size()}, {"byteLength", bytes}});
        bin_.append(reinterpret_cast<const char*>(values.data()), bytes);
        json a = {{"bufferView", doc_["bufferViews"].size() - 1},
                  {"componentType", componentType},
                  {"count", count},
                  {"type", type}};
        if (!minMax.is_null()) {
            a["min"] = minMax[0];
            a["max"] = minMax[1];
        }
        doc_["accessors"].push_back(a);
        return static_cast<int>(doc_["accessors"].size() - 1);
    }

    json& Doc() { return doc_; }

    bool Write(const std::filesystem::path& file) {
        const std::string binName = file.stem().string() + ".bin";
        doc_["asset"] = {{"version", "2.0"}};
        doc_["buffers"] = json::array({{{"uri", binName}, {"byteLength", bin_.size()}}});
        std::ofstream b(file.parent_path() / binName, std::ios::binary);
        b << bin_;
        std::ofstream f(file, std::ios::binary);
        f << doc_.dump();
        return static_cast<bool>(b.flush()) && static_cast<bool>(f.flush());
    }

  private:
    json doc_ = json::object();
    std::string bin_;
};

constexpr int kFloat = 5126, kUnsignedShort = 5123;

// Nodes: 0 the root, 1 + j joint j; the root's children are the chains' first joints.
void AddSkeleton(Gltf& gltf) {
    json& nodes = gltf.Doc()["nodes"];
    nodes.push_back({{"name", "Root"}, {"children", json::array()}});
    for (int j = 0; j < kJoints; ++j) {
        const Vec3 p = RestPosition(j);
        json node = {{"name", JointName(j)}, {"translation", {p.x, p.y, p.z}}};
        if (j % kChainLength != kChainLength - 1) node["children"] = {j + 2};
        nodes.push_back(node);
        if (j % kChainLength == 0) nodes[0]["children"].push_back(j + 1);
    }
    gltf.Doc()["scenes"] = {{{"nodes", {0}}}};
    gltf.Doc()["scene"] = 0;
}

void AddAnimation(Gltf& gltf) {
    std::vector<float> times;
    for (int k = 0; k < kFrames; ++k)
        times.push_back(static_cast<float>(k) / static_cast<float>(kFramesPerSecond));
    const int input = gltf.Accessor(times, kFloat, "SCALAR", kFrames,
                                    json::array({{times.front()}, {times.back()}}));
    json channels = json::array(), samplers = json::array();
    for (int j = 0; j < kJoints; ++j) {
        std::vector<float> positions, rotations;
        for (int k = 0; k < kFrames; ++k) {
            const Vec3 p = PositionAt(j, k);
            const Quat q = RotationAt(j, k);
            positions.insert(positions.end(), {p.x, p.y, p.z});
            rotations.insert(rotations.end(), {q.x, q.y, q.z, q.w});
        }
        const int pos = gltf.Accessor(positions, kFloat, "VEC3", kFrames);
        const int rot = gltf.Accessor(rotations, kFloat, "VEC4", kFrames);
        for (auto [output, path] : {std::pair{pos, "translation"}, {rot, "rotation"}}) {
            samplers.push_back({{"input", input}, {"output", output}});
            channels.push_back(
                {{"sampler", samplers.size() - 1}, {"target", {{"node", j + 1}, {"path", path}}}});
        }
    }
    gltf.Doc()["animations"] = {
        {{"name", "Swing"}, {"channels", channels}, {"samplers", samplers}}};
}

// The JSON scene of the same skeleton and keys.
void AppendNumber(std::string& out, float value) {
    char buffer[32];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void AppendJoint(std::string& out, int joint) {
    out += "{\"name\": \"" + JointName(joint) + "\",\n \"positionKeys\": [";
    for (int k = 0; k < kFrames; ++k) {
        const Vec3 p = PositionAt(joint, k);
        out += (k ? ",[" : "[") + std::to_string(k);
        for (float v : {p.x, p.y, p.z}) AppendNumber(out += ',', v);
        out += ']';
    }
    out += "],\n \"rotationKeys\": [";
    for (int k = 0; k < kFrames; ++k) {
        const Quat q = RotationAt(joint, k);
        out += (k ? ",[" : "[") + std::to_string(k);
        for (float v : {q.x, q.y, q.z, q.w}) AppendNumber(out += ',', v);
        out += ']';
    }
    out += ']';
    if (joint % kChainLength != kChainLength - 1) {
        out += ",\n \"children\": [";
        AppendJoint(out, joint + 1);
        out += ']';
    }
    out += '}';
}

bool WriteJsonSkeleton(const std::filesystem::path& file) {
    std::string out = "{\"frameRate\": " + std::to_string(kFramesPerSecond) + ", \"range\": [0, " +
                      std::to_string(kFrames - 1) +
                      "],\n\"root\": {\"name\": \"Root\", \"children\": [\n";
    for (int c = 0; c < kChains; ++c) {
        if (c) out += ",\n";
        AppendJoint(out, c * kChainLength);
    }
    out += "]}}\n";
    std::ofstream f(file, std::ios::binary);
    f << out;
    return static_cast<bool>(f.flush());
}

// A tube around each joint, made of quads split into two triangles whose corners are each a
// vertex of their own. A corner is weighted to its joint and, towards the joint's end, to the
// next joint of the chain.
void AddSkinnedMesh(Gltf& gltf, int vertexCount) {
    constexpr int kAround = 16;
    const int rings = (vertexCount + 6 * kAround * kJoints - 1) / (6 * kAround * kJoints);
    std::vector<float> positions, normals, uvs, weights;
    std::vector<uint16_t> joints;
    Vec3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    for (int j = 0; j < kJoints; ++j) {
        const Vec3 base = RestPlace(j);
        const bool last = j % kChainLength == kChainLength - 1;
        auto corner = [&](int ring, int around) {
            const float a = 2.0f * kPi * static_cast<float>(around) / kAround;
            const float along = static_cast<float>(ring) / static_cast<float>(rings);
            const Vec3 p{base.x + std::cos(a), base.y + kJointLength * along, base.z + std::sin(a)};
            positions.insert(positions.end(), {p.x, p.y, p.z});
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
            normals.insert(normals.end(), {std::cos(a), 0.0f, std::sin(a)});
            uvs.insert(uvs.end(), {static_cast<float>(around) / kAround, along});
            const float w = last ? 1.0f : 1.0f - 0.5f * along;
            const auto next = static_cast<uint16_t>(last ? 0 : j + 1);
            joints.insert(joints.end(), {static_cast<uint16_t>(j), next, 0, 0});
            weights.insert(weights.end(), {w, 1.0f - w, 0.0f, 0.0f});
        };
        for (int r = 0; r < rings; ++r)
            for (int k = 0; k < kAround; ++k) {
                corner(r, k), corner(r, k + 1), corner(r + 1, k + 1);
                corner(r, k), corner(r + 1, k + 1), corner(r + 1, k);
            }
    }
    const int count = static_cast<int>(positions.size() / 3);
    json attributes = {
        {"POSITION", gltf.Accessor(positions, kFloat, "VEC3", count,
                                   json::array({{lo.x, lo.y, lo.z}, {hi.x, hi.y, hi.z}}))},
        {"NORMAL", gltf.Accessor(normals, kFloat, "VEC3", count)},
        {"TEXCOORD_0", gltf.Accessor(uvs, kFloat, "VEC2", count)},
        {"JOINTS_0", gltf.Accessor(joints, kUnsignedShort, "VEC4", count)},
        {"WEIGHTS_0", gltf.Accessor(weights, kFloat, "VEC4", count)}};
    gltf.Doc()["meshes"] = {{{"name", "Body"}, {"primitives", {{{"attributes", attributes}}}}}};

    // Inverse bind matrices (column major): the joints stand at their rest places, unturned.
    std::vector<float> inverseBind;
    json jointNodes = json::array();
    for (int j = 0; j < kJoints; ++j) {
        const Vec3 p = RestPlace(j);
        inverseBind.insert(inverseBind.end(),
                           {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -p.x, -p.y, -p.z, 1});
        jointNodes.push_back(j + 1);
    }
    gltf.Doc()["skins"] = {
        {{"joints", jointNodes},
         {"inverseBindMatrices", gltf.Accessor(inverseBind, kFloat, "MAT4", kJoints)}}};
    gltf.Doc()["nodes"].push_back({{"name", "BodyNode"}, {"mesh", 0}, {"skin", 0}});
    gltf.Doc()["nodes"][0]["children"].push_back(gltf.Doc()["nodes"].size() - 1);
}

int Usage() {
    std::cerr << "usage: make_bench_scenes skeleton|skinned FOLDER\n";
    return 2;
}

bool Done(bool ok) {
    if (!ok) std::cerr << "make_bench_scenes: cannot write the scene\n";
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Usage();
    const std::string what = argv[1];
    const std::filesystem::path folder = argv[2];
    std::filesystem::create_directories(folder);
    Gltf gltf;
    AddSkeleton(gltf);
    if (what == "skeleton") {
        AddAnimation(gltf);
        return Done(gltf.Write(folder / "skeleton.gltf") &&
                    WriteJsonSkeleton(folder / "skeleton.json"))
                   ? 0
                   : 1;
    }
    if (what == "skinned") {
        AddSkinnedMesh(gltf, 100000);
        return Done(gltf.Write(folder / "skinned.gltf")) ? 0 : 1;
    }
    return Usage();
}

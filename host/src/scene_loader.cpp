#include "plughost/scene_loader.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace plughost {

namespace {

using nlohmann::json;

// A fault at a JSON path; the loader turns it into "file: path: what".
struct Fault {
    std::string path;
    std::string what;
};

std::string Member(const std::string& path, const char* name) {
    return path + "." + name;
}
std::string Index(const std::string& path, size_t i) {
    return path + "[" + std::to_string(i) + "]";
}

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw Fault{path, what};
}

class Loader {
  public:
    Loader(int ticksPerFrame, std::vector<std::string>& warnings)
        : ticksPerFrame_(ticksPerFrame), warnings_(warnings) {}

    void SetTicksPerFrame(int tpf) { ticksPerFrame_ = tpf; }

    // Warns about members the format does not know; they are usually typing mistakes.
    void CheckMembers(const json& j, const std::string& path,
                      std::initializer_list<std::string_view> known) {
        for (const auto& item : j.items()) {
            bool found = false;
            for (auto k : known) found = found || item.key() == k;
            if (!found) warnings_.push_back(path + "." + item.key() + ": unknown member ignored");
        }
    }

    static void ExpectObject(const json& j, const std::string& path) {
        if (!j.is_object()) Fail(path, "expected an object");
    }

    static double Number(const json& j, const std::string& path) {
        if (!j.is_number()) Fail(path, "expected a number");
        return j.get<double>();
    }

    static float Float(const json& j, const std::string& path) {
        const double v = Number(j, path);
        if (std::fabs(v) > std::numeric_limits<float>::max()) Fail(path, "number out of range");
        return static_cast<float>(v);
    }

    static bool Bool(const json& j, const std::string& path) {
        if (!j.is_boolean()) Fail(path, "expected true or false");
        return j.get<bool>();
    }

    // A list of exactly `n` numbers.
    static std::vector<double> Numbers(const json& j, const std::string& path, size_t n,
                                       const char* what) {
        bool ok = j.is_array() && j.size() == n;
        for (size_t i = 0; ok && i < n; ++i) ok = j[i].is_number();
        if (!ok) Fail(path, std::string("expected ") + what);
        std::vector<double> v;
        for (size_t i = 0; i < n; ++i) {
            v.push_back(j[i].get<double>());
            if (std::fabs(v.back()) > std::numeric_limits<float>::max())
                Fail(Index(path, i), "number out of range");
        }
        return v;
    }

    static Point3 Vec3(const json& j, const std::string& path) {
        const auto v = Numbers(j, path, 3, "3 numbers");
        return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
    }

    static Quat Rotation(const std::vector<double>& v, const std::string& path) {
        const Quat q{v[0], v[1], v[2], v[3]};
        if (q.x == 0 && q.y == 0 && q.z == 0 && q.w == 0)
            Fail(path, "expected a unit quaternion, got 0,0,0,0");
        return Normalize(q);
    }

    // A frame number as ticks (doubles keep fractional frames exact enough).
    double FrameTicks(double frame, const std::string& path) const {
        const double ticks = frame * ticksPerFrame_;
        if (std::fabs(ticks) > std::numeric_limits<TimeValue>::max())
            Fail(path, "frame out of range");
        return ticks;
    }

    // A non-negative integer below `limit`; `what` names the count in the message.
    static uint32_t IndexBelow(const json& j, const std::string& path, size_t limit,
                               const char* what) {
        if (!j.is_number_integer()) Fail(path, "expected a non-negative integer");
        if (!j.is_number_unsigned() ? j.get<int64_t>() < 0 || j.get<uint64_t>() >= limit
                                    : j.get<uint64_t>() >= limit) {
            std::ostringstream s;
            s << what << " index " << j.dump() << " out of range (" << limit << " " << what
              << (limit == 1 ? "" : "s") << ")";
            Fail(path, s.str());
        }
        return static_cast<uint32_t>(j.get<uint64_t>());
    }

    // Material ids live in the upper 16 bits of a face's flag word.
    static int MaterialId(const json& j, const std::string& path) {
        if (!j.is_number_integer() || (!j.is_number_unsigned() && j.get<int64_t>() < 0) ||
            j.get<uint64_t>() > 0xFFFF)
            Fail(path, "expected a material id from 0 to 65535");
        return static_cast<int>(j.get<uint64_t>());
    }

    std::vector<VectorKey> VectorKeys(const json& j, const std::string& path) {
        if (!j.is_array()) Fail(path, "expected a list of keys");
        std::vector<VectorKey> keys;
        for (size_t i = 0; i < j.size(); ++i) {
            const std::string p = Index(path, i);
            const auto v = Numbers(j[i], p, 4, "4 numbers (frame, x, y, z)");
            const double tick = FrameTicks(v[0], p);
            if (!keys.empty() && tick < keys.back().tick) Fail(p, "key frames must not decrease");
            keys.push_back({tick, Point3{static_cast<float>(v[1]), static_cast<float>(v[2]),
                                         static_cast<float>(v[3])}});
        }
        return keys;
    }

    std::vector<RotationKey> RotationKeys(const json& j, const std::string& path) {
        if (!j.is_array()) Fail(path, "expected a list of keys");
        std::vector<RotationKey> keys;
        for (size_t i = 0; i < j.size(); ++i) {
            const std::string p = Index(path, i);
            const auto v = Numbers(j[i], p, 5, "5 numbers (frame, x, y, z, w)");
            const double tick = FrameTicks(v[0], p);
            if (!keys.empty() && tick < keys.back().tick) Fail(p, "key frames must not decrease");
            keys.push_back({tick, Rotation({v[1], v[2], v[3], v[4]}, p)});
        }
        return keys;
    }

    // position, rotation and scale members of a node or of its offset.
    void StaticTransform(const json& j, const std::string& path, AnimatedTransform& tm) {
        if (j.contains("position")) tm.position = Vec3(j["position"], Member(path, "position"));
        if (j.contains("rotation")) {
            const std::string p = Member(path, "rotation");
            tm.rotation = Rotation(Numbers(j["rotation"], p, 4, "4 numbers"), p);
        }
        if (j.contains("scale")) tm.scale = Vec3(j["scale"], Member(path, "scale"));
    }

    TriangleMesh Mesh(const json& j, const std::string& path) {
        TriangleMesh mesh;
        if (j.contains("vertices")) {
            const json& v = j["vertices"];
            const std::string p = Member(path, "vertices");
            if (!v.is_array()) Fail(p, "expected a list of vertices");
            for (size_t i = 0; i < v.size(); ++i) mesh.vertices.push_back(Vec3(v[i], Index(p, i)));
        }
        if (j.contains("faces")) {
            const json& f = j["faces"];
            const std::string p = Member(path, "faces");
            if (!f.is_array()) Fail(p, "expected a list of faces");
            for (size_t i = 0; i < f.size(); ++i) {
                const std::string fp = Index(p, i);
                if (!f[i].is_array() || (f[i].size() != 3 && f[i].size() != 4))
                    Fail(fp, "expected 3 vertex indices and an optional material id");
                MeshFace face;
                for (size_t k = 0; k < 3; ++k)
                    face.v[k] = IndexBelow(f[i][k], Index(fp, k), mesh.vertices.size(), "vertex");
                if (f[i].size() == 4) face.SetMaterialId(MaterialId(f[i][3], Index(fp, 3)));
                mesh.faces.push_back(face);
            }
        }
        const bool hasTverts = j.contains("tverts"), hasTvfaces = j.contains("tvfaces");
        if (hasTverts != hasTvfaces)
            Fail(Member(path, hasTverts ? "tverts" : "tvfaces"),
                 "tverts and tvfaces must be given together");
        if (hasTverts) {
            const json& t = j["tverts"];
            const std::string p = Member(path, "tverts");
            if (!t.is_array()) Fail(p, "expected a list of texture vertices");
            for (size_t i = 0; i < t.size(); ++i) {
                const std::string tp = Index(p, i);
                const auto v = t[i].is_array() && t[i].size() == 2
                                   ? Numbers(t[i], tp, 2, "2 or 3 numbers")
                                   : Numbers(t[i], tp, 3, "2 or 3 numbers");
                mesh.textureVertices.push_back({static_cast<float>(v[0]), static_cast<float>(v[1]),
                                                v.size() == 3 ? static_cast<float>(v[2]) : 0.0f});
            }
            const json& tf = j["tvfaces"];
            const std::string fp = Member(path, "tvfaces");
            if (!tf.is_array()) Fail(fp, "expected a list of texture faces");
            if (tf.size() != mesh.faces.size())
                Fail(fp, "expected one texture face per face (" +
                             std::to_string(mesh.faces.size()) + " faces, " +
                             std::to_string(tf.size()) + " texture faces)");
            for (size_t i = 0; i < tf.size(); ++i) {
                const std::string ip = Index(fp, i);
                if (!tf[i].is_array() || tf[i].size() != 3)
                    Fail(ip, "expected 3 texture vertex indices");
                TextureFace face;
                for (size_t k = 0; k < 3; ++k)
                    face.t[k] = IndexBelow(tf[i][k], Index(ip, k), mesh.textureVertices.size(),
                                           "texture vertex");
                mesh.textureFaces.push_back(face);
            }
        }
        return mesh;
    }

    std::unique_ptr<HostObject> Object(const json& j, const std::string& path) {
        ExpectObject(j, path);
        const std::string tp = Member(path, "type");
        if (!j.contains("type")) Fail(tp, "missing (mesh, poly, camera, target, light or shape)");
        if (!j["type"].is_string()) Fail(tp, "expected a string");
        const std::string type = j["type"].get<std::string>();
        if (type == "mesh" || type == "poly") {
            CheckMembers(j, path, {"type", "vertices", "faces", "tverts", "tvfaces"});
            TriangleMesh mesh = Mesh(j, path);
            if (type == "mesh") return std::make_unique<HostMeshObject>(std::move(mesh));
            return std::make_unique<HostPolyObject>(std::move(mesh));
        }
        if (type == "camera") {
            CheckMembers(j, path, {"type", "fov", "near", "far"});
            float fov = 0.785398f, nearClip = 1.0f, farClip = 1000.0f;
            if (j.contains("fov")) {
                fov = Float(j["fov"], Member(path, "fov"));
                if (!(fov > 0.0f && fov < 3.14159265f))
                    Fail(Member(path, "fov"), "expected a field of view between 0 and pi radians");
            }
            if (j.contains("near")) nearClip = Float(j["near"], Member(path, "near"));
            if (j.contains("far")) farClip = Float(j["far"], Member(path, "far"));
            return std::make_unique<HostCameraObject>(fov, nearClip, farClip);
        }
        if (type == "light") {
            CheckMembers(j, path, {"type", "color", "intensity"});
            Point3 color{1, 1, 1};
            float intensity = 1.0f;
            if (j.contains("color")) color = Vec3(j["color"], Member(path, "color"));
            if (j.contains("intensity"))
                intensity = Float(j["intensity"], Member(path, "intensity"));
            return std::make_unique<HostLightObject>(color, intensity);
        }
        CheckMembers(j, path, {"type"});
        if (type == "target")
            return std::make_unique<HostPlainObject>(kGeomObjectSuperClass, kTargetObjectClassId);
        if (type == "shape")
            return std::make_unique<HostPlainObject>(kShapeSuperClass, kShapeClassId);
        Fail(tp, "unknown object type \"" + type +
                     "\" (expected mesh, poly, camera, target, light or shape)");
    }

    std::vector<std::unique_ptr<Modifier>> Modifiers(const json& j, const std::string& path) {
        if (!j.is_array()) Fail(path, "expected a list of modifiers");
        std::vector<std::unique_ptr<Modifier>> mods;
        for (size_t i = 0; i < j.size(); ++i) {
            const std::string p = Index(path, i);
            ExpectObject(j[i], p);
            CheckMembers(j[i], p, {"type", "hasContext"});
            const std::string tp = Member(p, "type");
            if (!j[i].contains("type")) Fail(tp, "missing (physique)");
            if (!j[i]["type"].is_string() || j[i]["type"].get<std::string>() != "physique")
                Fail(tp, "unknown modifier type " + j[i]["type"].dump() + " (expected physique)");
            bool hasContext = true;
            if (j[i].contains("hasContext"))
                hasContext = Bool(j[i]["hasContext"], Member(p, "hasContext"));
            mods.push_back(std::make_unique<PhysiqueModifier>(hasContext));
        }
        return mods;
    }

    static std::unique_ptr<TextureMap> Map(const json& j, const std::string& path) {
        if (j.is_string()) return std::make_unique<BitmapTextureMap>(j.get<std::string>());
        if (j.is_object() && j.contains("type") && j["type"] == "checker" && j.size() == 1)
            return std::make_unique<CheckerTextureMap>();
        Fail(path, "expected a bitmap file name or {\"type\": \"checker\"}");
    }

    std::unique_ptr<HostMaterial> Material(const json& j, const std::string& path, int depth) {
        ExpectObject(j, path);
        if (depth > kMaxMaterialDepth)
            Fail(path, "materials nested deeper than " + std::to_string(kMaxMaterialDepth));
        const std::string tp = Member(path, "type");
        if (!j.contains("type")) Fail(tp, "missing (standard, multi or other)");
        const std::string type = j["type"].is_string() ? j["type"].get<std::string>() : "";
        MaterialKind kind;
        if (type == "standard") {
            kind = MaterialKind::Standard;
        } else if (type == "multi") {
            kind = MaterialKind::Multi;
        } else if (type == "other") {
            kind = MaterialKind::Other;
        } else {
            Fail(tp, "unknown material type " + j["type"].dump() +
                         " (expected standard, multi or other)");
        }
        if (kind == MaterialKind::Multi) {
            CheckMembers(
                j, path,
                {"type", "diffuseMap", "bumpMap", "opacityMap", "shininess", "shininessStrength",
                 "transparency", "twoSided", "diffuse", "subMaterials"});
        } else {
            CheckMembers(j, path,
                         {"type", "diffuseMap", "bumpMap", "opacityMap", "shininess",
                          "shininessStrength", "transparency", "twoSided", "diffuse"});
        }
        auto m = std::make_unique<HostMaterial>(kind);
        const std::pair<const char*, int> maps[] = {
            {"diffuseMap", kMapDiffuse}, {"opacityMap", kMapOpacity}, {"bumpMap", kMapBump}};
        for (const auto& [name, slot] : maps)
            if (j.contains(name)) m->SetMap(slot, Map(j[name], Member(path, name)));
        if (j.contains("shininess"))
            m->SetShininess(Float(j["shininess"], Member(path, "shininess")));
        if (j.contains("shininessStrength"))
            m->SetShininessStrength(
                Float(j["shininessStrength"], Member(path, "shininessStrength")));
        if (j.contains("transparency"))
            m->SetTransparency(Float(j["transparency"], Member(path, "transparency")));
        if (j.contains("twoSided")) m->SetTwoSided(Bool(j["twoSided"], Member(path, "twoSided")));
        if (j.contains("diffuse")) m->SetDiffuse(Vec3(j["diffuse"], Member(path, "diffuse")));
        if (kind == MaterialKind::Multi && j.contains("subMaterials")) {
            const json& subs = j["subMaterials"];
            const std::string p = Member(path, "subMaterials");
            if (!subs.is_array()) Fail(p, "expected a list of materials");
            for (size_t i = 0; i < subs.size(); ++i)
                m->AddSubMaterial(subs[i].is_null() ? nullptr
                                                    : Material(subs[i], Index(p, i), depth + 1));
        }
        return m;
    }

    std::unique_ptr<HostNode> Node(const json& j, const std::string& path, int depth) {
        ExpectObject(j, path);
        if (depth > kMaxNodeDepth)
            Fail(path, "nodes nested deeper than " + std::to_string(kMaxNodeDepth));
        CheckMembers(
            j, path,
            {"name", "hidden", "position", "rotation", "scale", "positionKeys", "rotationKeys",
             "scaleKeys", "offset", "object", "modifiers", "material", "children"});
        auto node = std::make_unique<HostNode>();
        if (j.contains("name") && !j["name"].is_null()) {
            if (!j["name"].is_string()) Fail(Member(path, "name"), "expected a string");
            node->SetName(j["name"].get<std::string>());
        }
        if (j.contains("hidden")) node->SetHidden(Bool(j["hidden"], Member(path, "hidden")));
        StaticTransform(j, path, node->Local());
        if (j.contains("positionKeys"))
            node->Local().positionKeys =
                VectorKeys(j["positionKeys"], Member(path, "positionKeys"));
        if (j.contains("rotationKeys"))
            node->Local().rotationKeys =
                RotationKeys(j["rotationKeys"], Member(path, "rotationKeys"));
        if (j.contains("scaleKeys"))
            node->Local().scaleKeys = VectorKeys(j["scaleKeys"], Member(path, "scaleKeys"));
        if (j.contains("offset")) {
            const std::string p = Member(path, "offset");
            ExpectObject(j["offset"], p);
            CheckMembers(j["offset"], p, {"position", "rotation", "scale"});
            StaticTransform(j["offset"], p, node->Offset());
        }
        std::unique_ptr<HostObject> object;
        if (j.contains("object")) object = Object(j["object"], Member(path, "object"));
        if (j.contains("modifiers")) {
            auto mods = Modifiers(j["modifiers"], Member(path, "modifiers"));
            for (auto& m : mods) static_cast<PhysiqueModifier*>(m.get())->SetOwner(node.get());
            object = std::make_unique<HostDerivedObject>(std::move(object), std::move(mods));
        }
        node->SetObject(std::move(object));
        if (j.contains("material"))
            node->SetMaterial(Material(j["material"], Member(path, "material"), 0));
        if (j.contains("children")) {
            const json& c = j["children"];
            const std::string p = Member(path, "children");
            if (!c.is_array()) Fail(p, "expected a list of nodes");
            for (size_t i = 0; i < c.size(); ++i)
                node->AddChild(Node(c[i], Index(p, i), depth + 1));
        }
        return node;
    }

  private:
    int ticksPerFrame_;
    std::vector<std::string>& warnings_;
};

// "parse error at line 3, column 7: syntax error ..." without the library's prefix.
std::string DescribeParseError(const json::parse_error& e) {
    std::string what = e.what();
    const auto at = what.find("parse error");
    if (at != std::string::npos) what = what.substr(at);
    return "invalid JSON: " + what;
}

void LoadDocument(const json& doc, Scene& scene, std::vector<std::string>& warnings) {
    Loader loader(scene.ticksPerFrame, warnings);
    if (!doc.is_object()) Fail("(top level)", "expected an object");
    loader.CheckMembers(doc, "(top level)", {"frameRate", "range", "time", "root"});
    if (doc.contains("frameRate")) {
        const double rate = Loader::Number(doc["frameRate"], "frameRate");
        if (!(rate >= 1 && rate <= kTicksPerSecond && rate == std::floor(rate) &&
              kTicksPerSecond % static_cast<int>(rate) == 0))
            Fail("frameRate", "must be a whole number of frames per second that divides 4800");
        scene.frameRate = static_cast<int>(rate);
    }
    scene.ticksPerFrame = kTicksPerSecond / scene.frameRate;
    loader.SetTicksPerFrame(scene.ticksPerFrame);
    if (doc.contains("range")) {
        const auto v = Loader::Numbers(doc["range"], "range", 2, "2 numbers (start and end frame)");
        const double a = loader.FrameTicks(v[0], "range"), b = loader.FrameTicks(v[1], "range");
        if (b < a) Fail("range", "end frame before start frame");
        scene.range = {FramesToTicks(v[0], scene.ticksPerFrame),
                       FramesToTicks(v[1], scene.ticksPerFrame)};
    }
    scene.time = scene.range.start;
    if (doc.contains("time")) {
        const double t = Loader::Number(doc["time"], "time");
        loader.FrameTicks(t, "time");
        scene.time = FramesToTicks(t, scene.ticksPerFrame);
    }
    if (!doc.contains("root")) Fail("root", "missing (the scene root node is required)");
    scene.root = loader.Node(doc["root"], "root", 0);
}

}  // namespace

std::string SceneFolderOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return ".";
    if (slash == 0) return path.substr(0, 1);
    return path.substr(0, slash);
}

SceneLoadResult LoadSceneText(const std::string& text, const std::string& path) {
    SceneLoadResult result;
    json doc;
    try {
        doc = json::parse(text);
    } catch (const json::parse_error& e) {
        result.error = path + ": " + DescribeParseError(e);
        return result;
    }
    auto scene = std::make_unique<Scene>();
    scene->path = path;
    scene->folder = SceneFolderOf(path);
    try {
        LoadDocument(doc, *scene, result.warnings);
    } catch (const Fault& f) {
        result.error = path + ": " + f.path + ": " + f.what;
        return result;
    } catch (const json::exception& e) {
        // The checks above should leave no room for these; never let one escape as a crash.
        result.error = path + ": " + e.what();
        return result;
    }
    for (auto& w : result.warnings) w = path + ": " + w;
    result.scene = std::move(scene);
    return result;
}

SceneLoadResult LoadSceneFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        SceneLoadResult result;
        result.error = path + ": is a folder, not a scene file";
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        SceneLoadResult result;
        result.error = path + ": cannot open the scene file (" + std::strerror(errno) + ")";
        return result;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        SceneLoadResult result;
        result.error = path + ": cannot read the scene file";
        return result;
    }
    return LoadSceneText(text.str(), path);
}

}  // namespace plughost

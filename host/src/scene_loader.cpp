#include "plughost/scene_loader.h"

#include <simdjson.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <optional>
#include <sstream>
#include <string_view>

#include "huge_pages.h"
#include "json_messages.h"

namespace plughost {

namespace {

using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::element_type;
using simdjson::dom::object;

// A fault at a JSON path; the loader turns it into "file: path: what".
struct Fault {
    std::string path;
    std::string what;
};

// The JSON path of a value, kept as a chain of the loader's steps down the document and written
// out only for a message: "root.children[2].rotation".
class JsonPath {
  public:
    // A member of the top level ("frameRate", "root"), or "(top level)" itself.
    explicit JsonPath(const char* top) : name_(top) {}
    JsonPath Member(const char* name) const { return JsonPath(this, name, 0); }
    JsonPath At(size_t index) const { return JsonPath(this, nullptr, index); }

    std::string Text() const {
        if (parent_ == nullptr) return name_;
        if (name_ == nullptr) return parent_->Text() + "[" + std::to_string(index_) + "]";
        return parent_->Text() + "." + name_;
    }

  private:
    JsonPath(const JsonPath* parent, const char* name, size_t index)
        : parent_(parent), name_(name), index_(index) {}

    const JsonPath* parent_ = nullptr;
    const char* name_ = nullptr;  // null for an array element
    size_t index_ = 0;
};

[[noreturn]] void Fail(const JsonPath& path, const std::string& what) {
    throw Fault{path.Text(), what};
}

// The array or object an element holds; the caller has checked which it is.
array ArrayOf(element j) {
    return j.get_array().value_unsafe();
}
object ObjectOf(element j) {
    return j.get_object().value_unsafe();
}

bool IsNumber(element j) {
    const element_type t = j.type();
    return t == element_type::INT64 || t == element_type::UINT64 || t == element_type::DOUBLE;
}

bool IsInteger(element j) {
    return j.type() == element_type::INT64 || j.type() == element_type::UINT64;
}

double NumberValue(element j) {
    switch (j.type()) {
        case element_type::INT64:
            return static_cast<double>(j.get_int64().value_unsafe());
        case element_type::UINT64:
            return static_cast<double>(j.get_uint64().value_unsafe());
        default:
            return j.get_double().value_unsafe();
    }
}

// The value of a member. A name given twice counts with its last value.
std::optional<element> Find(element j, std::string_view name) {
    std::optional<element> found;
    for (simdjson::dom::key_value_pair member : ObjectOf(j))
        if (member.key == name) found = member.value;
    return found;
}

// The members of an object, each name once.
size_t DistinctMemberCount(element j) {
    std::vector<std::string_view> names;
    for (simdjson::dom::key_value_pair member : ObjectOf(j)) names.push_back(member.key);
    std::sort(names.begin(), names.end());
    return static_cast<size_t>(std::unique(names.begin(), names.end()) - names.begin());
}

bool IsString(std::optional<element> j, std::string_view text) {
    return j && j->is_string() && j->get_string().value_unsafe() == text;
}

class Loader {
  public:
    Loader(int ticksPerFrame, std::vector<std::string>& warnings)
        : ticksPerFrame_(ticksPerFrame), warnings_(warnings) {}

    void SetTicksPerFrame(int tpf) { ticksPerFrame_ = tpf; }

    // Warns about members the format does not know; they are usually typing mistakes. Each
    // name once, in name order.
    void CheckMembers(element j, const JsonPath& path,
                      std::initializer_list<std::string_view> known) {
        std::vector<std::string_view> unknown;
        for (simdjson::dom::key_value_pair member : ObjectOf(j))
            if (std::find(known.begin(), known.end(), member.key) == known.end())
                unknown.push_back(member.key);
        if (unknown.empty()) return;
        std::sort(unknown.begin(), unknown.end());
        unknown.erase(std::unique(unknown.begin(), unknown.end()), unknown.end());
        const std::string prefix = path.Text() + ".";
        for (std::string_view name : unknown)
            warnings_.push_back(prefix + std::string(name) + ": unknown member ignored");
    }

    static void ExpectObject(element j, const JsonPath& path) {
        if (!j.is_object()) Fail(path, "expected an object");
    }

    static double Number(element j, const JsonPath& path) {
        if (!IsNumber(j)) Fail(path, "expected a number");
        return NumberValue(j);
    }

    static float Float(element j, const JsonPath& path) {
        const double v = Number(j, path);
        if (std::fabs(v) > std::numeric_limits<float>::max()) Fail(path, "number out of range");
        return static_cast<float>(v);
    }

    static bool Bool(element j, const JsonPath& path) {
        if (!j.is_bool()) Fail(path, "expected true or false");
        return j.get_bool().value_unsafe();
    }

    // A list of exactly `n` numbers (n at most 5), into `out`.
    static void Numbers(element j, const JsonPath& path, size_t n, const char* what, double* out) {
        bool ok = j.is_array();
        if (ok) {
            size_t count = 0;
            for (element item : ArrayOf(j)) {
                if (count == n || !IsNumber(item)) {
                    ok = false;
                    break;
                }
                out[count++] = NumberValue(item);
            }
            ok = ok && count == n;
        }
        if (!ok) Fail(path, std::string("expected ") + what);
        for (size_t i = 0; i < n; ++i)
            if (std::fabs(out[i]) > std::numeric_limits<float>::max())
                Fail(path.At(i), "number out of range");
    }

    static Point3 Vec3(element j, const JsonPath& path) {
        double v[3];
        Numbers(j, path, 3, "3 numbers", v);
        return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
    }

    static Quat Rotation(const double* v, const JsonPath& path) {
        const Quat q{v[0], v[1], v[2], v[3]};
        if (q.x == 0 && q.y == 0 && q.z == 0 && q.w == 0)
            Fail(path, "expected a unit quaternion, got 0,0,0,0");
        return Normalize(q);
    }

    // A frame number as ticks (doubles keep fractional frames exact enough).
    double FrameTicks(double frame, const JsonPath& path) const {
        const double ticks = frame * ticksPerFrame_;
        if (std::fabs(ticks) > std::numeric_limits<TimeValue>::max())
            Fail(path, "frame out of range");
        return ticks;
    }

    // A non-negative integer below `limit`; `what` names the count in the message.
    static uint32_t IndexBelow(element j, const JsonPath& path, size_t limit, const char* what) {
        if (!IsInteger(j)) Fail(path, "expected a non-negative integer");
        const bool negative = j.type() == element_type::INT64 && j.get_int64().value_unsafe() < 0;
        const uint64_t value = negative ? 0 : static_cast<uint64_t>(NumberOf<uint64_t>(j));
        if (negative || value >= limit) {
            std::ostringstream s;
            s << what << " index " << JsonText(j) << " out of range (" << limit << " " << what
              << (limit == 1 ? "" : "s") << ")";
            Fail(path, s.str());
        }
        return static_cast<uint32_t>(value);
    }

    // Material ids live in the upper 16 bits of a face's flag word.
    static int MaterialId(element j, const JsonPath& path) {
        if (!IsInteger(j) ||
            (j.type() == element_type::INT64 && j.get_int64().value_unsafe() < 0) ||
            NumberOf<uint64_t>(j) > 0xFFFF)
            Fail(path, "expected a material id from 0 to 65535");
        return static_cast<int>(NumberOf<uint64_t>(j));
    }

    template <typename Key, size_t kValues, typename Make>
    std::vector<Key> Keys(element j, const JsonPath& path, const char* what, Make make) {
        if (!j.is_array()) Fail(path, "expected a list of keys");
        const array list = ArrayOf(j);
        std::vector<Key> keys;
        keys.reserve(list.size());
        size_t i = 0;
        for (element item : list) {
            const JsonPath p = path.At(i++);
            double v[kValues];
            Numbers(item, p, kValues, what, v);
            const double tick = FrameTicks(v[0], p);
            if (!keys.empty() && tick < keys.back().tick) Fail(p, "key frames must not decrease");
            keys.push_back({tick, make(v + 1, p)});
        }
        return keys;
    }

    std::vector<VectorKey> VectorKeys(element j, const JsonPath& path) {
        return Keys<VectorKey, 4>(
            j, path, "4 numbers (frame, x, y, z)", [](const double* v, const JsonPath&) {
                return Point3{static_cast<float>(v[0]), static_cast<float>(v[1]),
                              static_cast<float>(v[2])};
            });
    }

    std::vector<RotationKey> RotationKeys(element j, const JsonPath& path) {
        return Keys<RotationKey, 5>(j, path, "5 numbers (frame, x, y, z, w)", Rotation);
    }

    // position, rotation and scale members of a node or of its offset.
    void StaticTransform(element j, const JsonPath& path, AnimatedTransform& tm) {
        if (auto v = Find(j, "position")) tm.position = Vec3(*v, path.Member("position"));
        if (auto v = Find(j, "rotation")) {
            const JsonPath p = path.Member("rotation");
            double q[4];
            Numbers(*v, p, 4, "4 numbers", q);
            tm.rotation = Rotation(q, p);
        }
        if (auto v = Find(j, "scale")) tm.scale = Vec3(*v, path.Member("scale"));
    }

    TriangleMesh Mesh(element j, const JsonPath& path) {
        TriangleMesh mesh;
        if (auto v = Find(j, "vertices")) {
            const JsonPath p = path.Member("vertices");
            if (!v->is_array()) Fail(p, "expected a list of vertices");
            size_t i = 0;
            for (element item : ArrayOf(*v)) mesh.vertices.push_back(Vec3(item, p.At(i++)));
        }
        if (auto f = Find(j, "faces")) {
            const JsonPath p = path.Member("faces");
            if (!f->is_array()) Fail(p, "expected a list of faces");
            size_t i = 0;
            for (element item : ArrayOf(*f)) {
                const JsonPath fp = p.At(i++);
                const size_t size = item.is_array() ? ArrayOf(item).size() : 0;
                if (size != 3 && size != 4)
                    Fail(fp, "expected 3 vertex indices and an optional material id");
                MeshFace face;
                size_t k = 0;
                for (element index : ArrayOf(item)) {
                    if (k < 3)
                        face.v[k] = IndexBelow(index, fp.At(k), mesh.vertices.size(), "vertex");
                    else
                        face.SetMaterialId(MaterialId(index, fp.At(k)));
                    ++k;
                }
                mesh.faces.push_back(face);
            }
        }
        const auto tverts = Find(j, "tverts"), tvfaces = Find(j, "tvfaces");
        if (tverts.has_value() != tvfaces.has_value())
            Fail(path.Member(tverts ? "tverts" : "tvfaces"),
                 "tverts and tvfaces must be given together");
        if (tverts) {
            const JsonPath p = path.Member("tverts");
            if (!tverts->is_array()) Fail(p, "expected a list of texture vertices");
            size_t i = 0;
            for (element item : ArrayOf(*tverts)) {
                const JsonPath tp = p.At(i++);
                const bool two = item.is_array() && ArrayOf(item).size() == 2;
                double v[3] = {0, 0, 0};
                Numbers(item, tp, two ? 2 : 3, "2 or 3 numbers", v);
                mesh.textureVertices.push_back(
                    {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])});
            }
            const JsonPath fp = path.Member("tvfaces");
            if (!tvfaces->is_array()) Fail(fp, "expected a list of texture faces");
            const array faces = ArrayOf(*tvfaces);
            const size_t count = faces.size();
            if (count != mesh.faces.size())
                Fail(fp, "expected one texture face per face (" +
                             std::to_string(mesh.faces.size()) + " faces, " +
                             std::to_string(count) + " texture faces)");
            i = 0;
            for (element item : faces) {
                const JsonPath ip = fp.At(i++);
                if (!item.is_array() || ArrayOf(item).size() != 3)
                    Fail(ip, "expected 3 texture vertex indices");
                TextureFace face;
                size_t k = 0;
                for (element index : ArrayOf(item)) {
                    face.t[k] =
                        IndexBelow(index, ip.At(k), mesh.textureVertices.size(), "texture vertex");
                    ++k;
                }
                mesh.textureFaces.push_back(face);
            }
        }
        return mesh;
    }

    std::unique_ptr<HostObject> Object(element j, const JsonPath& path) {
        ExpectObject(j, path);
        const JsonPath tp = path.Member("type");
        const auto typeValue = Find(j, "type");
        if (!typeValue) Fail(tp, "missing (mesh, poly, camera, target, light or shape)");
        if (!typeValue->is_string()) Fail(tp, "expected a string");
        const std::string_view type = typeValue->get_string().value_unsafe();
        if (type == "mesh" || type == "poly") {
            CheckMembers(j, path, {"type", "vertices", "faces", "tverts", "tvfaces"});
            TriangleMesh mesh = Mesh(j, path);
            if (type == "mesh") return std::make_unique<HostMeshObject>(std::move(mesh));
            return std::make_unique<HostPolyObject>(std::move(mesh));
        }
        if (type == "camera") {
            CheckMembers(j, path, {"type", "fov", "near", "far"});
            float fov = 0.785398f, nearClip = 1.0f, farClip = 1000.0f;
            if (auto v = Find(j, "fov")) {
                fov = Float(*v, path.Member("fov"));
                if (!(fov > 0.0f && fov < 3.14159265f))
                    Fail(path.Member("fov"), "expected a field of view between 0 and pi radians");
            }
            if (auto v = Find(j, "near")) nearClip = Float(*v, path.Member("near"));
            if (auto v = Find(j, "far")) farClip = Float(*v, path.Member("far"));
            return std::make_unique<HostCameraObject>(fov, nearClip, farClip);
        }
        if (type == "light") {
            CheckMembers(j, path, {"type", "color", "intensity"});
            Point3 color{1, 1, 1};
            float intensity = 1.0f;
            if (auto v = Find(j, "color")) color = Vec3(*v, path.Member("color"));
            if (auto v = Find(j, "intensity")) intensity = Float(*v, path.Member("intensity"));
            return std::make_unique<HostLightObject>(color, intensity);
        }
        CheckMembers(j, path, {"type"});
        if (type == "target")
            return std::make_unique<HostPlainObject>(kGeomObjectSuperClass, kTargetObjectClassId);
        if (type == "shape")
            return std::make_unique<HostPlainObject>(kShapeSuperClass, kShapeClassId);
        Fail(tp, "unknown object type \"" + std::string(type) +
                     "\" (expected mesh, poly, camera, target, light or shape)");
    }

    std::vector<std::unique_ptr<Modifier>> Modifiers(element j, const JsonPath& path) {
        if (!j.is_array()) Fail(path, "expected a list of modifiers");
        std::vector<std::unique_ptr<Modifier>> mods;
        size_t i = 0;
        for (element item : ArrayOf(j)) {
            const JsonPath p = path.At(i++);
            ExpectObject(item, p);
            CheckMembers(item, p, {"type", "hasContext"});
            const JsonPath tp = p.Member("type");
            const auto type = Find(item, "type");
            if (!type) Fail(tp, "missing (physique)");
            if (!IsString(type, "physique"))
                Fail(tp, "unknown modifier type " + JsonText(*type) + " (expected physique)");
            bool hasContext = true;
            if (auto v = Find(item, "hasContext")) hasContext = Bool(*v, p.Member("hasContext"));
            mods.push_back(std::make_unique<PhysiqueModifier>(hasContext));
        }
        return mods;
    }

    static std::unique_ptr<TextureMap> Map(element j, const JsonPath& path) {
        if (j.is_string())
            return std::make_unique<BitmapTextureMap>(std::string(j.get_string().value_unsafe()));
        if (j.is_object() && IsString(Find(j, "type"), "checker") && DistinctMemberCount(j) == 1)
            return std::make_unique<CheckerTextureMap>();
        Fail(path, "expected a bitmap file name or {\"type\": \"checker\"}");
    }

    std::unique_ptr<HostMaterial> Material(element j, const JsonPath& path, int depth) {
        ExpectObject(j, path);
        if (depth > kMaxMaterialDepth)
            Fail(path, "materials nested deeper than " + std::to_string(kMaxMaterialDepth));
        const JsonPath tp = path.Member("type");
        const auto typeValue = Find(j, "type");
        if (!typeValue) Fail(tp, "missing (standard, multi or other)");
        const std::string_view type =
            typeValue->is_string() ? typeValue->get_string().value_unsafe() : "";
        MaterialKind kind;
        if (type == "standard") {
            kind = MaterialKind::Standard;
        } else if (type == "multi") {
            kind = MaterialKind::Multi;
        } else if (type == "other") {
            kind = MaterialKind::Other;
        } else {
            Fail(tp, "unknown material type " + JsonText(*typeValue) +
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
            if (auto v = Find(j, name)) m->SetMap(slot, Map(*v, path.Member(name)));
        if (auto v = Find(j, "shininess")) m->SetShininess(Float(*v, path.Member("shininess")));
        if (auto v = Find(j, "shininessStrength"))
            m->SetShininessStrength(Float(*v, path.Member("shininessStrength")));
        if (auto v = Find(j, "transparency"))
            m->SetTransparency(Float(*v, path.Member("transparency")));
        if (auto v = Find(j, "twoSided")) m->SetTwoSided(Bool(*v, path.Member("twoSided")));
        if (auto v = Find(j, "diffuse")) m->SetDiffuse(Vec3(*v, path.Member("diffuse")));
        if (kind == MaterialKind::Multi) {
            if (auto subs = Find(j, "subMaterials")) {
                const JsonPath p = path.Member("subMaterials");
                if (!subs->is_array()) Fail(p, "expected a list of materials");
                size_t i = 0;
                for (element item : ArrayOf(*subs)) {
                    const JsonPath ip = p.At(i++);
                    m->AddSubMaterial(item.is_null() ? nullptr : Material(item, ip, depth + 1));
                }
            }
        }
        return m;
    }

    std::unique_ptr<HostNode> Node(element j, const JsonPath& path, int depth) {
        ExpectObject(j, path);
        if (depth > kMaxNodeDepth)
            Fail(path, "nodes nested deeper than " + std::to_string(kMaxNodeDepth));
        CheckMembers(
            j, path,
            {"name", "hidden", "position", "rotation", "scale", "positionKeys", "rotationKeys",
             "scaleKeys", "offset", "object", "modifiers", "material", "children"});
        auto node = std::make_unique<HostNode>();
        if (auto name = Find(j, "name"); name && !name->is_null()) {
            if (!name->is_string()) Fail(path.Member("name"), "expected a string");
            node->SetName(std::string(name->get_string().value_unsafe()));
        }
        if (auto v = Find(j, "hidden")) node->SetHidden(Bool(*v, path.Member("hidden")));
        StaticTransform(j, path, node->Local());
        if (auto v = Find(j, "positionKeys"))
            node->Local().positionKeys = VectorKeys(*v, path.Member("positionKeys"));
        if (auto v = Find(j, "rotationKeys"))
            node->Local().rotationKeys = RotationKeys(*v, path.Member("rotationKeys"));
        if (auto v = Find(j, "scaleKeys"))
            node->Local().scaleKeys = VectorKeys(*v, path.Member("scaleKeys"));
        if (auto offset = Find(j, "offset")) {
            const JsonPath p = path.Member("offset");
            ExpectObject(*offset, p);
            CheckMembers(*offset, p, {"position", "rotation", "scale"});
            StaticTransform(*offset, p, node->Offset());
        }
        std::unique_ptr<HostObject> object;
        if (auto v = Find(j, "object")) object = Object(*v, path.Member("object"));
        if (auto v = Find(j, "modifiers")) {
            auto mods = Modifiers(*v, path.Member("modifiers"));
            for (auto& m : mods) static_cast<PhysiqueModifier*>(m.get())->SetOwner(node.get());
            object = std::make_unique<HostDerivedObject>(std::move(object), std::move(mods));
        }
        node->SetObject(std::move(object));
        if (auto v = Find(j, "material"))
            node->SetMaterial(Material(*v, path.Member("material"), 0));
        if (auto children = Find(j, "children")) {
            const JsonPath p = path.Member("children");
            if (!children->is_array()) Fail(p, "expected a list of nodes");
            size_t i = 0;
            for (element item : ArrayOf(*children))
                node->AddChild(Node(item, p.At(i++), depth + 1));
        }
        return node;
    }

  private:
    // An integer value as the type asked for; the caller has checked that it is an integer.
    template <typename T>
    static T NumberOf(element j) {
        if (j.type() == element_type::INT64) return static_cast<T>(j.get_int64().value_unsafe());
        return static_cast<T>(j.get_uint64().value_unsafe());
    }

    int ticksPerFrame_;
    std::vector<std::string>& warnings_;
};

void LoadDocument(element doc, Scene& scene, std::vector<std::string>& warnings) {
    Loader loader(scene.ticksPerFrame, warnings);
    const JsonPath top("(top level)");
    if (!doc.is_object()) Fail(top, "expected an object");
    loader.CheckMembers(doc, top, {"frameRate", "range", "time", "root"});
    if (auto v = Find(doc, "frameRate")) {
        const double rate = Loader::Number(*v, JsonPath("frameRate"));
        if (!(rate >= 1 && rate <= kTicksPerSecond && rate == std::floor(rate) &&
              kTicksPerSecond % static_cast<int>(rate) == 0))
            Fail(JsonPath("frameRate"),
                 "must be a whole number of frames per second that divides 4800");
        scene.frameRate = static_cast<int>(rate);
    }
    scene.ticksPerFrame = kTicksPerSecond / scene.frameRate;
    loader.SetTicksPerFrame(scene.ticksPerFrame);
    if (auto v = Find(doc, "range")) {
        const JsonPath range("range");
        double frames[2];
        Loader::Numbers(*v, range, 2, "2 numbers (start and end frame)", frames);
        const double a = loader.FrameTicks(frames[0], range);
        const double b = loader.FrameTicks(frames[1], range);
        if (b < a) Fail(range, "end frame before start frame");
        scene.range = {FramesToTicks(frames[0], scene.ticksPerFrame),
                       FramesToTicks(frames[1], scene.ticksPerFrame)};
    }
    scene.time = scene.range.start;
    if (auto v = Find(doc, "time")) {
        const JsonPath time("time");
        const double t = Loader::Number(*v, time);
        loader.FrameTicks(t, time);
        scene.time = FramesToTicks(t, scene.ticksPerFrame);
    }
    const auto root = Find(doc, "root");
    if (!root) Fail(JsonPath("root"), "missing (the scene root node is required)");
    scene.root = loader.Node(*root, JsonPath("root"), 0);
}

// Room the fast parser reads past the end of the text.
constexpr size_t kJsonPadding = simdjson::SIMDJSON_PADDING;

// How deep the fast parser follows nesting: as deep as the text can nest, up to a million
// levels (the loader refuses nodes nested deeper than kMaxNodeDepth anyway).
size_t MaxJsonDepth(size_t length) {
    return std::min<size_t>(length / 2 + 2, size_t{1} << 20);
}

// Parses `text` (a byte order mark at its start passed over); the parser must outlive the
// document. Returns the error, SUCCESS with the document in `doc`.
simdjson::error_code Parse(simdjson::dom::parser& parser, const std::string& text, element& doc) {
    std::string_view body = text;
    if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
    if (auto error = parser.allocate(body.size(), MaxJsonDepth(body.size()))) return error;
    if (auto error = parser.doc.allocate(body.size())) return error;
    // The parser's buffers grow with the text: its index of structural characters (4 bytes
    // each), its tape (8 bytes a value) and its strings. Their sizes are at least these.
    PreferHugePages(parser.implementation->structural_indexes.get(), body.size() * 4);
    PreferHugePages(parser.doc.tape.get(), body.size() * 8);
    PreferHugePages(parser.doc.string_buf.get(), body.size() * 5 / 3);
    const bool copy = text.capacity() - text.size() < kJsonPadding;
    return parser.parse(body.data(), body.size(), copy).get(doc);
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
    simdjson::dom::parser parser;
    element doc;
    std::string normalized;
    if (const auto error = Parse(parser, text, doc)) {
        if (error == simdjson::MEMALLOC || error == simdjson::CAPACITY) {
            result.error = path + ": cannot load the scene: " + simdjson::error_message(error);
            return result;
        }
        // The fast parser tells only that something is wrong: the message comes from reading
        // the text again, and a document it could not take after all (integers too long for
        // 64 bits) is read in its plainest form.
        const std::string why = DescribeInvalidJson(text, MaxJsonDepth(text.size()), normalized);
        if (!why.empty()) {
            result.error = path + ": " + why;
            return result;
        }
        if (normalized.empty() || Parse(parser, normalized, doc)) {
            result.error = path + ": invalid JSON: " + simdjson::error_message(error);
            return result;
        }
    }
    auto scene = std::make_unique<Scene>();
    scene->path = path;
    scene->folder = SceneFolderOf(path);
    try {
        LoadDocument(doc, *scene, result.warnings);
    } catch (const Fault& f) {
        result.error = path + ": " + f.path + ": " + f.what;
        return result;
    } catch (const std::exception& e) {
        // Running out of memory on a huge scene, say: a message, never a crash.
        result.error = path + ": cannot load the scene: " + e.what();
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
    // Read with room behind the text for the parser, so that it need not copy it.
    std::string text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0 && in) {
        text.reserve(static_cast<size_t>(size) + kJsonPadding);
        PreferHugePages(text.data(), text.capacity());
        text.resize(static_cast<size_t>(size));
        in.read(text.data(), size);
        if (in.gcount() != size) in.setstate(std::ios::badbit);
    } else {
        // Not a regular file (a pipe, say): read to its end.
        in.clear();
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
    }
    if (in.bad()) {
        SceneLoadResult result;
        result.error = path + ": cannot read the scene file";
        return result;
    }
    return LoadSceneText(text, path);
}

}  // namespace plughost

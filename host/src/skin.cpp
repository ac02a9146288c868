#include "plughost/skin.h"

namespace plughost {

std::vector<Point3> Skin::Deform(const std::vector<Point3>& rest, SceneNode& owner,
                                 TimeValue t) const {
    // One matrix per bone takes a mesh point straight to the owner's object space.
    const Matrix3 toObject = Inverse(owner.GetObjectTM(t));
    std::vector<Matrix3> pose;
    pose.reserve(bones_.size());
    for (const SkinBone& b : bones_) pose.push_back(b.offset * b.node->GetNodeTM(t) * toObject);

    struct Sum {
        double x = 0, y = 0, z = 0, weight = 0;
    };
    std::vector<Sum> sums(rest.size());
    for (const SkinInfluence& in : influences_) {
        if (in.vertex >= rest.size() || in.bone >= pose.size() || !(in.weight > 0.0f)) continue;
        const Point3 p = rest[in.vertex] * pose[in.bone];
        Sum& s = sums[in.vertex];
        s.x += static_cast<double>(p.x) * in.weight;
        s.y += static_cast<double>(p.y) * in.weight;
        s.z += static_cast<double>(p.z) * in.weight;
        s.weight += in.weight;
    }
    std::vector<Point3> posed = rest;
    for (size_t i = 0; i < rest.size(); ++i) {
        const Sum& s = sums[i];
        if (s.weight > 0.0)
            posed[i] = {static_cast<float>(s.x / s.weight), static_cast<float>(s.y / s.weight),
                        static_cast<float>(s.z / s.weight)};
    }
    return posed;
}

}  // namespace plughost

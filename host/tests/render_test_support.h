#pragma once
// Scenes built in code for the renderer tests, and pictures rendered from them.
#include <string>
#include <vector>

#include "hostsdk/bitmap.h"
#include "plughost/animation.h"
#include "plughost/render_view.h"
#include "plughost/scene.h"

namespace render_test {

using plughost::HostNode;

struct Picture {
    int width = 0, height = 0;
    std::vector<BitmapPixel64> pixels;
    const BitmapPixel64& At(int x, int y) const {
        return pixels[static_cast<size_t>(y) * width + x];
    }
};

// Colours of the test objects.
inline const Point3 kRed{1, 0, 0}, kGreen{0, 1, 0}, kBlue{0, 0, 1};
inline const Point3 kYellow{1, 1, 0}, kMagenta{1, 0, 1}, kCyan{0, 1, 1};

// Material ids of a box's faces by the axis they face.
enum BoxFace { kFaceMinusZ, kFacePlusZ, kFaceMinusY, kFacePlusY, kFaceMinusX, kFacePlusX };

// A cube of edge `size` centred on the origin; faces wound counter-clockwise seen from outside,
// two per side, each side's material id its BoxFace.
TriangleMesh BoxMesh(float size);
std::unique_ptr<plughost::HostMaterial> Standard(const Point3& color, bool twoSided = false);
// A box node at `center` in the parent's space, of one colour.
HostNode* AddBox(HostNode& parent, const std::string& name, const Point3& center, float size,
                 const Point3& color);
HostNode* AddCamera(HostNode& parent, const std::string& name, const Point3& position,
                    const plughost::Quat& rotation = {}, float fov = 1.5707964f,
                    float nearClip = 0.1f, float farClip = 1000.0f);
// A rotation by `degrees` about an axis.
plughost::Quat AxisRotation(const Point3& axis, double degrees);

// Renders through the camera node, or through a view, at time t; fails the test on an error.
Picture RenderCamera(HostNode& root, HostNode& camera, int width, int height, TimeValue t = 0);
Picture RenderThrough(HostNode& root, const plughost::RenderView& view, int width, int height);

// Whether the pixel shows the colour: its channels above half where the colour has 1, below a
// fifth where it has 0, and fully covered.
bool Shows(const BitmapPixel64& p, const Point3& color);
bool Empty(const BitmapPixel64& p);  // all four channels 0
// The colour a pixel shows among the six test colours, as a name ("red"), or "none".
std::string ColorName(const BitmapPixel64& p);

}  // namespace render_test

#pragma once
#include <cstdint>
#include <vector>

#include "hostsdk/geometry.h"

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

// A triangle: three 0-based vertex indices and a flag word whose upper 16 bits are the
// material id.
struct MeshFace {
    uint32_t v[3] = {0, 0, 0};
    uint32_t flags = 0;

    int MaterialId() const { return static_cast<int>(flags >> 16); }
    void SetMaterialId(int id) { flags = (flags & 0xFFFFu) | (static_cast<uint32_t>(id) << 16); }
};

// Three 0-based texture vertex indices, parallel to the face of the same number.
struct TextureFace {
    uint32_t t[3] = {0, 0, 0};
};

// A triangle mesh. Texture vertices (u, v, w) and texture faces are both empty when the mesh
// has no texture coordinates.
struct TriangleMesh {
    std::vector<Point3> vertices;
    std::vector<MeshFace> faces;
    std::vector<Point3> textureVertices;
    std::vector<TextureFace> textureFaces;

    int VertexCount() const { return static_cast<int>(vertices.size()); }
    int FaceCount() const { return static_cast<int>(faces.size()); }
    bool HasTextureVertices() const { return !textureVertices.empty(); }
};

#pragma GCC visibility pop

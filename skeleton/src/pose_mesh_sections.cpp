// The mesh sections of the .POS file: texture list, triangle list and vertex list.
#include <string>

#include "frame/text_output.h"
#include "skeleton/bone_matrix.h"
#include "skeleton/pose_exporter.h"
#include "skeleton/pose_messages.h"
#include "skeleton/texture_table.h"

namespace skeleton {

bool IsMirrored(const Matrix3& tm) {
    return DotProd(CrossProd(tm.GetRow(0), tm.GetRow(1)), tm.GetRow(2)) < 0.0f;
}

namespace {

struct Texel {
    double x = 0.0, y = 0.0;
};

// Texel coordinates of the three corners of face `f` on a 256 x 256 texture, v running down.
// A mesh without texture vertices, or a texture face that names none, gives 0, 0.
void FaceTexels(const TriangleMesh& mesh, int f, Texel (&texels)[3]) {
    if (!mesh.HasTextureVertices() || f >= static_cast<int>(mesh.textureFaces.size())) return;
    const TextureFace& face = mesh.textureFaces[f];
    for (int k = 0; k < 3; ++k) {
        if (face.t[k] >= mesh.textureVertices.size()) continue;
        const Point3& uvw = mesh.textureVertices[face.t[k]];
        texels[k].x = static_cast<double>(uvw.x) * 256.0;
        texels[k].y = (1.0 - static_cast<double>(uvw.y)) * 256.0;
    }
}

// "index, v,x,y, v,x,y, v,x,y" with the corners in `order`, and the line end.
void AppendTriangleLine(std::string& line, int texture, const MeshFace& face,
                        const Texel (&texels)[3], const int (&order)[3]) {
    line = std::to_string(texture);
    for (int k : order) {
        line += ", ";
        line += std::to_string(face.v[k]);
        line += ',';
        support::AppendG(line, texels[k].x);
        line += ',';
        support::AppendG(line, texels[k].y);
    }
    line += frame::kLineEnd;
}

}  // namespace

bool PoseExporter::CountTriangles(TextureTable& textures) {
    Material* material = skin_.skinNode->GetMaterial();
    const TriangleMesh& mesh = skin_.skinMesh->GetMesh();
    triCount_ = faceCount_;
    for (int f = 0; f < faceCount_; ++f) {
        const int index =
            AddTexture(textures, MakeTextureRecord(material, mesh.faces[f].MaterialId()));
        if (index >= 0 && textures[index].twoSided) ++triCount_;
    }
    return true;
}

bool PoseExporter::WriteTextureList(const TextureTable& textures) {
    out_.WriteLine("// texture list: name");
    for (int i = 0; i < textures.Count(); ++i) out_.WriteLine(textures[i].diffuseMap);
    return true;
}

bool PoseExporter::WriteTriangleList(const TextureTable& textures) {
    const Matrix3 tm = skin_.skinNode->GetObjectTM(exportTime_);
    Material* material = skin_.skinNode->GetMaterial();
    const TriangleMesh& mesh = skin_.skinMesh->GetMesh();
    // The file's faces wind the other way round from the host's, unless a mirroring transform
    // has already turned them.
    static constexpr int kForward[3] = {0, 1, 2};
    static constexpr int kReverse[3] = {2, 1, 0};
    const bool mirrored = IsMirrored(tm);
    const int(&order)[3] = mirrored ? kForward : kReverse;
    const int(&backOrder)[3] = mirrored ? kReverse : kForward;

    out_.WriteLine("// triList: textureIndex,vertices(index, texX, texY)");
    long long written = 0;
    std::string line;
    for (int f = 0; f < faceCount_; ++f) {
        const MeshFace& face = mesh.faces[f];
        const int index = FindTexture(textures, MakeTextureRecord(material, face.MaterialId()));
        Texel texels[3];
        FaceTexels(mesh, f, texels);
        AppendTriangleLine(line, index, face, texels, order);
        out_.Write(line);
        ++written;
        if (index >= 0 && textures[index].twoSided) {
            AppendTriangleLine(line, index, face, texels, backOrder);
            out_.Write(line);
            ++written;
        }
    }
    if (written != triCount_) {
        ShowError(
            "Triangle export count mismatch.  (Probably has to do with double-sided materials.)");
        return false;
    }
    return true;
}

bool PoseExporter::WriteVertexList(const frame::ExportSettings& settings) {
    const Matrix3 tm = skin_.skinNode->GetObjectTM(exportTime_);
    const TriangleMesh& mesh = skin_.skinMesh->GetMesh();
    out_.WriteLine("// vertList: x,y,z");
    std::string line;
    for (int i = 0; i < vertexCount_; ++i) {
        const Point3 q = ConvertPosition(mesh.vertices[i] * tm, settings);
        line.clear();
        support::AppendG(line, q.x);
        line += ',';
        support::AppendG(line, q.y);
        line += ',';
        support::AppendG(line, q.z);
        line += frame::kLineEnd;
        out_.Write(line);
    }
    return true;
}

}  // namespace skeleton

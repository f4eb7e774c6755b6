#include "fmtoobj/obj_writer.h"

#include <array>
#include <optional>

#include "fmtoobj/console_text.h"
#include "fmtoobj/node_names.h"
#include "fmtoobj/sparse_numbering.h"
#include "fmtoobj/texture_report.h"
#include "fmtoobj/triangles.h"

namespace fmtoobj {

namespace {

class ObjTextBuilder {
  public:
    ObjTextBuilder(const FrameModel& model, const ConverterOptions& options, uint32_t mask,
                   const TextureLookup& lookup, std::ostream& console)
        : model_(model), options_(options), mask_(mask), lookup_(lookup), console_(console) {}

    std::string Build(std::string_view fileName) {
        text_ += Format("o %s\n", std::string(fileName).c_str());
        if (options_.sparse) {
            sparse_ = NumberUsedEntries(model_, mask_, lookup_, console_);
        }
        WriteVertices();
        WriteTextureVertices();
        WriteTriangles();
        return std::move(text_);
    }

  private:
    bool Used(const std::vector<int> SparseNumbering::*numbers, std::size_t index) const {
        return !sparse_ || ((*sparse_).*numbers)[index] >= 0;
    }

    void WriteVertices() {
        text_ += "\n# 3D Vertices\n\n";
        int number = 1;
        for (std::size_t i = 0; i < model_.vertices.size(); ++i) {
            if (!Used(&SparseNumbering::vertexNumber, i)) {
                continue;
            }
            const PackedVertex& packed = model_.vertices[i];
            text_ += Format("# vertex %d (tris.fm vertex %d, unscaled [%d,%d,%d])\n", number++,
                            static_cast<int>(i), packed.x, packed.y, packed.z);
            WriteVertexLine(model_.space.DecodeVertex(packed));
        }
    }

    void WriteVertexLine(const FlexPoint& p) {
        // TrueSpace wins over Poser, and both over the editor's orientation.
        float x = p[0], y = p[1], z = p[2];
        if (options_.trueSpace) {
            text_ += Format("v  %8.4f %8.4f %8.4f\n", x, z, y);
        } else if (options_.poser) {
            text_ += Format("v  %8.4f %8.4f %8.4f\n", y, z, x);
        } else if (options_.editorOrientation) {
            text_ += Format("v  %8.4f %8.4f %8.4f\n", -x, y, z);
        } else {
            text_ += Format("v  %8.4f %8.4f %8.4f\n", x, y, z);
        }
    }

    void WriteTextureVertices() {
        text_ += "\n# Texture Vertices\n\n";
        int number = 1;
        for (std::size_t i = 0; i < model_.stCoords.size(); ++i) {
            if (!Used(&SparseNumbering::stNumber, i)) {
                continue;
            }
            const StCoord& coord = model_.stCoords[i];
            text_ += Format("# texture vertex %d (tris.fm texture vertex %d, [%d,%d])\n", number++,
                            static_cast<int>(i), coord.s, coord.t);
            WriteTextureLine(coord.s / 256.0f, coord.t / 256.0f);
        }
    }

    void WriteTextureLine(float u, float v) {
        if (options_.trueSpace) {
            // TrueSpace takes texel units with the column mirrored.
            float column = static_cast<float>(255 - static_cast<int>(u * 256));
            text_ += Format("vt %8.4f %8.4f\n", column, v * 256);
        } else if (options_.poser) {
            text_ += Format("vt %8.4f %8.4f\n", u, 0.99999 - v);
        } else {
            text_ += Format("vt %8.4f %8.4f\n", u, v);
        }
    }

    void WriteTriangles() {
        std::string frameName = model_.frameName;
        text_ += "\n# Triangles\n\n";
        text_ += Format("g %s\n", frameName.c_str());
        for (int node = 0; node < model_.numMeshNodes; ++node) {
            if (!model_.NodeSelected(node, mask_)) {
                continue;
            }
            std::string group(NodeGroupName(node, options_.partNames));
            text_ += Format("\ng %s %s\n", group.c_str(), frameName.c_str());
            text_ += "usemtl x\n";
            text_ += "# NOTE: Vertex indeces are based at 1, not 0, for .OBJ\n";
            text_ += "# NOTE: This differs from zero-based tris.fm\n";
            for (const GlCommand& command : model_.nodeCommands[node]) {
                WriteCommand(command);
            }
        }
    }

    void WriteCommand(const GlCommand& command) {
        text_ += Format("# Triangles for TRIFAN(%d):", static_cast<int>(command.vertices.size()));
        for (const GlVertex& vertex : command.vertices) {
            text_ += Format(" %-3d", vertex.vertexIndex);
        }
        text_ += "\n";
        for (const Triangle& triangle : TrianglesOf(command)) {
            std::array<int, 3> st;
            for (std::size_t i = 0; i < st.size(); ++i) {
                st[i] = TextureNumber(triangle[i]);
            }
            text_ += Format("f %d/%d %d/%d %d/%d\n", VertexNumber(triangle[0]), st[0],
                            VertexNumber(triangle[1]), st[1], VertexNumber(triangle[2]), st[2]);
        }
    }

    int VertexNumber(const GlVertex& corner) const {
        int index = corner.vertexIndex;
        return (sparse_ ? sparse_->vertexNumber[index] : index) + 1;
    }

    // 0 when the coordinate has no texture vertex.
    int TextureNumber(const GlVertex& corner) {
        int index = FindTextureVertexReporting(lookup_, corner, console_);
        if (index < 0) {
            return 0;
        }
        return (sparse_ ? sparse_->stNumber[index] : index) + 1;
    }

    const FrameModel& model_;
    const ConverterOptions& options_;
    uint32_t mask_;
    const TextureLookup& lookup_;
    std::ostream& console_;
    std::optional<SparseNumbering> sparse_;
    std::string text_;
};

}  // namespace

std::string ObjText(const FrameModel& model, const ConverterOptions& options, uint32_t mask,
                    std::string_view fileName, const TextureLookup& lookup, std::ostream& console) {
    return ObjTextBuilder(model, options, mask, lookup, console).Build(fileName);
}

}  // namespace fmtoobj

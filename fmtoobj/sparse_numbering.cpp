#include "fmtoobj/sparse_numbering.h"

#include "fmtoobj/texture_report.h"
#include "fmtoobj/triangles.h"

namespace fmtoobj {

namespace {

int NumberMarked(std::vector<int>& numbers) {
    int next = 0;
    for (int& number : numbers) {
        number = number < 0 ? -1 : next++;
    }
    return next;
}

}  // namespace

SparseNumbering NumberUsedEntries(const FrameModel& model, uint32_t mask,
                                  const TextureLookup& lookup, std::ostream& console) {
    SparseNumbering numbering;
    numbering.vertexNumber.assign(model.vertices.size(), -1);
    numbering.stNumber.assign(model.stCoords.size(), -1);
    for (int node = 0; node < model.numMeshNodes; ++node) {
        if (!model.NodeSelected(node, mask)) {
            continue;
        }
        for (const GlCommand& command : model.nodeCommands[node]) {
            for (const Triangle& triangle : TrianglesOf(command)) {
                for (const GlVertex& corner : triangle) {
                    numbering.vertexNumber[corner.vertexIndex] = 0;
                    int st = FindTextureVertexReporting(lookup, corner, console);
                    if (st >= 0) {
                        numbering.stNumber[st] = 0;
                    }
                }
            }
        }
    }
    numbering.vertexCount = NumberMarked(numbering.vertexNumber);
    numbering.stCount = NumberMarked(numbering.stNumber);
    return numbering;
}

}  // namespace fmtoobj

#include "fmtoobj/chunk_walk.h"

#include "flexmodel/chunk_cursor.h"
#include "flexmodel/record_io.h"
#include "fmtoobj/console_text.h"
#include "fmtoobj/options.h"

namespace fmtoobj {

using namespace ::flexmodel;

namespace {

using Fatal = std::optional<std::string>;

// The vertex table of the sparse export holds one entry per vertex and its texture table three
// per vertex.
constexpr int MAX_SPARSE_TEXTURE_VERTICES = 3 * FLEX_MAX_VERTICES;

class ChunkWalk {
  public:
    ChunkWalk(const ByteReader& file, const std::string& frameName, ChunkMap& map,
              std::ostream& console)
        : file_(file), wantedFrame_(frameName), map_(map), console_(console) {}

    Fatal Run() {
        ChunkCursor cursor(file_);
        while (!cursor.AtEnd()) {
            auto header = cursor.ReadHeader();
            if (!header) {
                return "Truncated chunk header at the end of the model";
            }
            header->ident.back() = '\0';
            std::string ident(header->Ident());
            console_ << Format("%-32s version %d, length %d bytes.\n", ident.c_str(),
                               header->version, header->size);
            if (header->size <= 0) {
                return "Invalid (<=0) chunk size in model";
            }
            auto chunk = cursor.TakeChunk(*header);
            if (!chunk) {
                return "Invalid (too big) chunk size in model";
            }
            DataSpan data{chunk->dataOffset, chunk->dataSize};
            if (Fatal fatal = Dispatch(ident, header->version, data)) {
                return fatal;
            }
        }
        return std::nullopt;
    }

  private:
    Fatal Dispatch(const std::string& ident, int32_t version, const DataSpan& data) {
        struct Handler {
            const ChunkKind& kind;
            const char* versionError;
            Fatal (ChunkWalk::*read)(const DataSpan&);
        };
        static const Handler handlers[] = {
            {HEADER_CHUNK, "Invalid HEADER chunk version number", &ChunkWalk::ReadHeader},
            {SKIN_CHUNK, "Invalid SKIN chunk version number", &ChunkWalk::Ignore},
            {ST_COORD_CHUNK, "Invalid ST COORD chunk version number", &ChunkWalk::ReadStCoords},
            {TRIS_CHUNK, "Invalid TRIS chunk version number", &ChunkWalk::Ignore},
            {FRAMES_CHUNK, "Invalid FRAMES chunk version number", &ChunkWalk::ReadFrames},
            {GLCMDS_CHUNK, "Invalid GLCMDS chunk version number", &ChunkWalk::ReadGlCommands},
            {MESH_NODES_CHUNK, "Invalid MESH NODES chunk version number",
             &ChunkWalk::ReadMeshNodes},
            {SKELETON_CHUNK, "Invalid SKELETON chunk version number", &ChunkWalk::ReadSkeleton},
            {REFERENCES_CHUNK, "Invalid REFERENCES chunk version number",
             &ChunkWalk::ReadReferences},
        };
        for (const Handler& handler : handlers) {
            if (ident == handler.kind.ident) {
                if (version != handler.kind.version) {
                    return handler.versionError;
                }
                return (this->*handler.read)(data);
            }
        }
        console_ << Format("WARNING: Unrecognized chunk identifier: %s\n", ident.c_str());
        return std::nullopt;
    }

    Fatal Ignore(const DataSpan&) { return std::nullopt; }

    Fatal ReadHeader(const DataSpan& data) {
        if (map_.header) {
            return "Model has more than one HEADER chunk";
        }
        auto header =
            data.size >= HEADER_DATA_SIZE ? ReadFlexHeader(file_, data.offset) : std::nullopt;
        if (!header) {
            return "HEADER chunk is too small";
        }
        console_ << Format(
            "    Skins are %d x %d pixels.\n    %d skins identified.\n    %d animation frames, "
            "size %d each.\n    %d 3D vertices, %d texture verteces, and %d glcmds.\n    %d "
            "triangles, %d mesh nodes.\n",
            header->skinWidth, header->skinHeight, header->numSkins, header->numFrames,
            header->frameSize, header->numXyz, header->numSt, header->numGlCmds, header->numTris,
            header->numMeshNodes);
        if (header->numXyz < 0 || header->numXyz > FLEX_MAX_VERTICES) {
            return Format("Model has %d 3D vertices, more than %d or fewer than 0", header->numXyz,
                          FLEX_MAX_VERTICES);
        }
        if (header->numSt < 0 || header->numSt > MAX_SPARSE_TEXTURE_VERTICES) {
            return Format("Model has %d texture vertices, more than %d or fewer than 0",
                          header->numSt, MAX_SPARSE_TEXTURE_VERTICES);
        }
        if (header->numMeshNodes < 0 || header->numMeshNodes > FLEX_MAX_MESH_NODES) {
            return Format("Model has %d mesh nodes, more than %d or fewer than 0",
                          header->numMeshNodes, FLEX_MAX_MESH_NODES);
        }
        map_.header = header;
        return std::nullopt;
    }

    Fatal ReadStCoords(const DataSpan& data) {
        map_.stCoords = data;
        return std::nullopt;
    }

    Fatal ReadGlCommands(const DataSpan& data) {
        map_.glCommands = data;
        return std::nullopt;
    }

    Fatal ReadMeshNodes(const DataSpan& data) {
        map_.meshNodes = data;
        return std::nullopt;
    }

    Fatal ReadFrames(const DataSpan& data) {
        if (!map_.header) {
            return "FRAMES chunk comes before the HEADER chunk";
        }
        if (map_.frames) {
            return "Model has more than one FRAMES chunk";
        }
        const FlexHeader& header = *map_.header;
        int64_t minimumFrameSize = FRAME_HEADER_SIZE + int64_t{PACKED_VERTEX_SIZE} * header.numXyz;
        if (header.frameSize < minimumFrameSize) {
            return Format("Frame size %d is too small for %d 3D vertices", header.frameSize,
                          header.numXyz);
        }
        if (header.numFrames <= 0) {
            return "Model has no animation frames";
        }
        if (int64_t{header.frameSize} * header.numFrames > static_cast<int64_t>(data.size)) {
            return "FRAMES chunk is smaller than its animation frames";
        }
        map_.frames = data;
        return FindFrame(data);
    }

    Fatal FindFrame(const DataSpan& data) {
        const FlexHeader& header = *map_.header;
        map_.frameName = wantedFrame_;
        if (map_.frameName == FIRST_FRAME_NAME) {
            map_.frameName = std::string(FrameNameAt(data.offset));
        }
        console_ << Format("    searching for frame '%s'...\n", map_.frameName.c_str());
        for (int k = 0; k < header.numFrames; ++k) {
            std::size_t frameOffset = data.offset + std::size_t(k) * header.frameSize;
            if (FrameNameAt(frameOffset) == map_.frameName) {
                map_.frameIndex = k;
                map_.frameOffset = frameOffset;
                return std::nullopt;
            }
        }
        return "No such frame name!";
    }

    std::string_view FrameNameAt(std::size_t frameOffset) const {
        // The frame lies inside the checked "frames" data, so the field is there.
        return file_.FixedName(frameOffset + 24, FRAME_NAME_SIZE).value_or("");
    }

    Fatal ReadSkeleton(const DataSpan& data) {
        if (map_.frameIndex < 0) {
            return "SKELETON chunk comes before the FRAMES chunk";
        }
        ByteReader chunk = *file_.Range(data.offset, data.size);
        auto numClusters = chunk.Int32(4);
        if (!numClusters || *numClusters < 0 ||
            !chunk.Contains(8, 4 * static_cast<std::size_t>(*numClusters))) {
            return "SKELETON chunk is too small for its clusters";
        }
        std::size_t indexCount = 0;
        for (int32_t i = 0; i < *numClusters; ++i) {
            int32_t clusterSize = *chunk.Int32(8 + 4 * std::size_t(i));
            if (clusterSize < 0 || static_cast<std::size_t>(clusterSize) > chunk.Size()) {
                return "SKELETON chunk is too small for its clusters";
            }
            indexCount += static_cast<std::size_t>(clusterSize);
        }
        std::size_t flagOffset = 8 + 4 * std::size_t(*numClusters) + 4 * indexCount;
        auto hasPositions = chunk.Int32(flagOffset);
        if (!hasPositions) {
            return "SKELETON chunk is too small for its clusters";
        }
        if (*hasPositions != 0) {
            std::size_t block =
                flagOffset + 4 + std::size_t(map_.frameIndex) * SKELETON_FRAME_FLOATS * 4;
            if (!chunk.Contains(block, SKELETON_FRAME_FLOATS * 4)) {
                return "SKELETON chunk has no positions for the selected frame";
            }
            map_.skeletonBlock = data.offset + block;
        }
        return std::nullopt;
    }

    Fatal ReadReferences(const DataSpan& data) {
        if (map_.frameIndex < 0) {
            return "REFERENCES chunk comes before the FRAMES chunk";
        }
        std::size_t block =
            REFERENCES_PREFIX_SIZE + std::size_t(map_.frameIndex) * REFERENCE_FRAME_FLOATS * 4;
        if (block > data.size || data.size - block < REFERENCE_FRAME_FLOATS * 4) {
            return "REFERENCES chunk has no references for the selected frame";
        }
        map_.referenceBlock = data.offset + block;
        return std::nullopt;
    }

    const ByteReader& file_;
    const std::string& wantedFrame_;
    ChunkMap& map_;
    std::ostream& console_;
};

}  // namespace

std::optional<std::string> WalkChunks(const ByteReader& file, const std::string& frameName,
                                      ChunkMap& map, std::ostream& console) {
    return ChunkWalk(file, frameName, map, console).Run();
}

}  // namespace fmtoobj

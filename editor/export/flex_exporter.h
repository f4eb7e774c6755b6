#pragma once
// What the chunk writers of one export share: the output file, the header they fill in and
// the texture coordinates after the flips.

#include <cstddef>
#include <string>

#include "bytes/byte_writer.h"
#include "bytes/side_file.h"
#include "editor/model/capacities.h"
#include "editor/model/mesh_data.h"
#include "flexmodel/records.h"

namespace editor::flexexport {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::flexmodel;

class FlexExporter {
  public:
    // The output is written beside path and takes its place only on Commit, so an export that
    // fails or is cancelled leaves an earlier file of that name as it was.
    bool Create(const std::string& path) { return file_.Open(path); }
    bool Write(const ByteWriter& bytes) { return file_.Write(bytes.Bytes().data(), bytes.Size()); }
    // A chunk header with the data's size, then the data.
    bool WriteChunk(const ChunkKind& kind, const ByteWriter& data);
    // Where the next byte goes.
    std::size_t Position() const { return file_.Size(); }
    bool Rewrite(std::size_t offset, const ByteWriter& bytes) {
        return file_.Rewrite(offset, bytes.Bytes().data(), bytes.Size());
    }
    bool Commit() { return file_.Commit(); }

    FlexHeader header;
    // The generated model's texture vertices, in texels, flipped as the export asks.
    TexVertex texCoords[MAX_MESH_ELEMENTS];

  private:
    SideFile file_;
};

}  // namespace editor::flexexport

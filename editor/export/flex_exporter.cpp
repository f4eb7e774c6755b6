#include "editor/export/flex_exporter.h"

#include "flexmodel/record_io.h"

namespace editor::flexexport {

bool FlexExporter::WriteChunk(const ChunkKind& kind, const ByteWriter& data) {
    ByteWriter header;
    AppendChunkHeader(header, kind.ident, kind.version, static_cast<int32_t>(data.Size()));
    return Write(header) && Write(data);
}

}  // namespace editor::flexexport

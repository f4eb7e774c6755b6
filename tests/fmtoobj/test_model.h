#pragma once
// Small FlexModel files for the converter's tests, built with the chunk writer, and helpers to
// damage them in exactly one place.

#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "flexmodel/model_builder.h"
#include "fmtoobj/options.h"
#include "fmtoobj/output_directory.h"

using namespace ::flexmodel;
using namespace ::fmtoobj;

// A command vertex at whole texels (s, t) of the skin.
GlVertex Corner(int vertex, int s, int t);

struct CommandSpec {
    GlCommandKind kind;
    std::vector<GlVertex> vertices;
};

// Appends a mesh node whose list holds `commands` and its 0 terminator.
void AddNode(FlexModelContent& model, const std::vector<CommandSpec>& commands);

// Frame "stand1": scale (0.5, 1, 2), translate (1, -2, 0.25), four vertices at bytes
// (0,0,0), (10,0,0), (0,20,0), (0,0,30); texture vertices [0,0], [128,0], [0,64], [255,255];
// node 0 draws the fan 0, 1, 2; node 1 is empty.
FlexModelContent TinyModel();

// Adds references and skeleton positions for every frame: each reference point has its
// direction point 3 units along +x and its up point 4 units along +z (a right angle), each
// joint its direction point 3 units along +y and its up point 4 units along -y (a straight
// angle).
void AddSkeletonAndReferences(FlexModelContent& model);

struct Conversion {
    int status = 0;
    std::string console;
    MemoryDirectory output;
};

Conversion Convert(const std::vector<uint8_t>& bytes, const ConverterOptions& options = {},
                   const std::set<std::string>& uncreatableFiles = {});
Conversion Convert(const FlexModelContent& model, const ConverterOptions& options = {});

// The file with one int32 of chunk `ident`'s data (or of its header, at a negative offset
// counted from the data's start) replaced.
std::vector<uint8_t> PatchInt32(std::vector<uint8_t> bytes, std::string_view ident, long offset,
                                int32_t value);
// The file's chunks reassembled in the given order; chunks left out are dropped.
std::vector<uint8_t> Reorder(const std::vector<uint8_t>& bytes,
                             std::initializer_list<std::string_view> order);
// A raw chunk appended to a file.
std::vector<uint8_t> WithChunk(std::vector<uint8_t> bytes, std::string_view ident, int32_t version,
                               const std::vector<uint8_t>& data);

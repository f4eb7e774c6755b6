#pragma once
// The straightforward per-frame normals (every face visited for every vertex, every table
// entry for every vertex) that the one-pass normals and the grid lookup must equal, and a
// frames export driven without a skeleton, for the test and the benchmark.

#include <cstdint>
#include <string>
#include <vector>

#include "editor/model/model_document.h"

using namespace ::editor::model;

void ReferenceVertexNormalIndices(const MeshData& mesh, int vertexCount, uint8_t* indices);

// A closed lumpy band of 2 rings of `segments` vertices (as many vertices as triangles), in
// the model and the generated model, with texture vertices.
void MakeBand(ModelDocument& document, int segments);

// Header and frames of `frames` poses to path; each pose turns and squashes the model.
// `reference` picks the straightforward normals. False when a write fails.
bool WriteTurningFrames(ModelDocument& document, int frames, bool reference,
                        const std::string& path, const std::string& refskelPath);

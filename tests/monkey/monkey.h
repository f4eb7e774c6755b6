#pragma once
// The monkey: a seeded random walk through the editor's commands over a real model, run in
// process through batch statements, with the document's invariants checked after every step.
// A finding carries the seed, the step and the statements so far: a batch script that replays
// it in a directory prepared the same way.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Where the monkey's input files come from: the repository's samples and Debian's assimp test
// models.
struct MonkeySources {
    std::string samplesDir;
    std::string assimpModelsDir;
};

// Empties directory (which must exist), copies the inputs in under the names the steps use and
// writes the broken files; why not, or empty.
std::string PrepareMonkeyDirectory(const std::string& directory, const MonkeySources& sources);

struct MonkeyFinding {
    uint32_t seed = 0;
    int step = 0;  // 0 is the opening of the model
    std::string fault;
    std::vector<std::string> script;  // every statement up to and including the failing step
};

// The finding as a report and a replayable script.
std::string DescribeFinding(const MonkeyFinding& finding);

// Runs steps random steps from seed in the prepared directory (the working directory during the
// run); the first finding, or nothing. With a trace, every statement and what it printed go
// there as they run.
std::optional<MonkeyFinding> RunMonkey(const std::string& directory, uint32_t seed, int steps,
                                       std::ostream* trace = nullptr);

// Runs a script's lines in the prepared directory, checking the invariants after each; the
// first broken one ("line N: ..."), or empty.
std::string ReplayChecked(const std::string& directory, const std::vector<std::string>& lines);

// Whether the editor has Edit/Undo and Edit/Redo.
bool UndoRedoAvailable();

// Opens a model, saves its state (OBJ, bindings, pose, bone lengths), runs steps random steps
// that keep the history (no New, Open or recent file), saves again, then undoes every step and
// compares with the start byte for byte, and redoes every step and compares with the end. The
// finding, or nothing.
std::optional<MonkeyFinding> RunUndoRoundTrip(const std::string& directory, uint32_t seed,
                                              int steps);

// The shortest script (by removing lines while it still breaks the same invariant) that still
// breaks the invariant the fault names; each try runs in a freshly prepared directory.
std::vector<std::string> ShrinkScript(const std::string& directory, const MonkeySources& sources,
                                      std::vector<std::string> lines, const std::string& fault);

// Converting a FlexModel at the format's capacity: 2048 vertices, texture vertices and
// triangles over 16 mesh nodes.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "bytes/replace_file.h"
#include "fmtoobj/converter.h"
#include "fmtoobj/sample_models.h"

using namespace ::bytes;
using namespace ::fmtoobj;

namespace {

const std::vector<uint8_t>& CapacityFile() {
    static const std::vector<uint8_t> bytes = BuildFlexModel(CapacityModel());
    return bytes;
}

void ConvertInMemory(benchmark::State& state, bool sparse, bool perNode) {
    ConverterOptions options;
    options.sparse = sparse;
    options.perNode = perNode;
    std::size_t written = 0;
    for (auto _ : state) {
        std::ostringstream console;
        MemoryDirectory output;
        if (ConvertModel(CapacityFile(), options, console, output) != 0) {
            state.SkipWithError("conversion failed");
        }
        written = 0;
        for (const auto& [name, text] : output.files) {
            written += text.size();
        }
        benchmark::DoNotOptimize(written);
    }
    state.counters["input_bytes"] = static_cast<double>(CapacityFile().size());
    state.counters["output_bytes"] = static_cast<double>(written);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(CapacityFile().size()));
}

void BM_ConvertOneFile(benchmark::State& state) {
    ConvertInMemory(state, false, false);
}
void BM_ConvertSparsePerNode(benchmark::State& state) {
    ConvertInMemory(state, true, true);
}

// The whole program's work on disk: read the file, write the 16 node files in the current
// directory.
void BM_RunSparsePerNodeOnDisk(benchmark::State& state) {
    namespace fs = std::filesystem;
    fs::path previous = fs::current_path();
    fs::path dir = fs::temp_directory_path() / "bench_fmtoobj";
    fs::create_directories(dir);
    fs::current_path(dir);
    if (!ReplaceFile("capacity.fm", CapacityFile())) {
        state.SkipWithError("cannot write capacity.fm");
        fs::current_path(previous);
        return;
    }
    std::vector<std::string> arguments = {"fmtoobj", "/s", "/p", "capacity.fm"};
    for (auto _ : state) {
        std::ostringstream console;
        CurrentDirectory output;
        benchmark::DoNotOptimize(RunFmToObj(arguments, console, output));
    }
    fs::current_path(previous);
    fs::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_ConvertOneFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertSparsePerNode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunSparsePerNodeOnDisk)->Unit(benchmark::kMillisecond);

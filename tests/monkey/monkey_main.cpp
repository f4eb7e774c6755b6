// marionet_monkey --replay SCRIPT: replays a finding's script in a freshly prepared directory,
// checking the document after every line.
// marionet_monkey SEED STEPS [ROUND_TRIPS]: a long monkey walk from seed, then (when the editor
// undoes) ROUND_TRIPS undo round trips of 40 steps from seeds SEED, SEED+1, ...; prints each
// finding as a replayable script and exits 1 when there was one. With MARIONET_MONKEY_TRACE set,
// every statement of the long walk and what it printed are shown as they run; with
// MARIONET_MONKEY_SHRINK set, a finding's script is also shrunk to the fewest lines that still
// break the same invariant.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tests/monkey/monkey.h"

namespace fs = std::filesystem;

namespace {

const MonkeySources kSources{MARIONET_SAMPLES_DIR, MARIONET_ASSIMP_MODELS_DIR};

fs::path PreparedDirectory(const std::string& name) {
    const fs::path directory = fs::temp_directory_path() / ("marionet-monkey-" + name);
    fs::create_directories(directory);
    if (std::string error = PrepareMonkeyDirectory(directory.string(), kSources); !error.empty()) {
        std::cerr << error << "\n";
        std::exit(2);
    }
    return directory;
}

// Replays a finding's script with the invariants checked after every line.
int Replay(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        std::cerr << "Cannot open the script '" << path << "'.\n";
        return 2;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    const fs::path directory = PreparedDirectory("replay");
    const std::string fault = ReplayChecked(directory.string(), lines);
    std::cout << (fault.empty() ? "no finding" : fault) << "\n";
    return fault.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--replay") {
        return Replay(argv[2]);
    }
    if (argc < 3) {
        std::cerr << "usage: marionet_monkey SEED STEPS [ROUND_TRIPS]\n"
                     "       marionet_monkey --replay SCRIPT\n";
        return 2;
    }
    const auto seed = static_cast<uint32_t>(std::stoul(argv[1]));
    const int steps = std::stoi(argv[2]);
    const int roundTrips = argc > 3 ? std::stoi(argv[3]) : 0;
    const fs::path directory = PreparedDirectory(std::to_string(seed));
    int findings = 0;
    const bool trace = std::getenv("MARIONET_MONKEY_TRACE") != nullptr;
    if (auto finding = RunMonkey(directory.string(), seed, steps, trace ? &std::cout : nullptr)) {
        std::cout << DescribeFinding(*finding);
        ++findings;
        if (std::getenv("MARIONET_MONKEY_SHRINK") != nullptr) {
            finding->script =
                ShrinkScript(directory.string(), kSources, finding->script, finding->fault);
            std::cout << "shrunk to " << finding->script.size() << " lines:\n"
                      << DescribeFinding(*finding);
        }
    } else {
        std::cout << "monkey seed " << seed << ": " << steps << " steps, no finding\n";
    }
    for (int trip = 0; trip < roundTrips && UndoRedoAvailable(); ++trip) {
        PrepareMonkeyDirectory(directory.string(), kSources);
        if (auto finding = RunUndoRoundTrip(directory.string(), seed + trip, 40)) {
            std::cout << DescribeFinding(*finding);
            ++findings;
        }
    }
    if (roundTrips > 0 && !UndoRedoAvailable()) {
        std::cout << "no undo round trips: the editor has no Edit/Redo\n";
    }
    std::cout << "prepared inputs and outputs in " << directory.string() << "\n";
    return findings == 0 ? 0 : 1;
}

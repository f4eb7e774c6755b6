#include "tests/monkey/monkey.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <sstream>
#include <string_view>

#include "editor/model/model_document.h"
#include "editor/shell/batch_script.h"
#include "editor/shell/batch_session.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_table.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/script_objects.h"
#include "tests/monkey/document_invariants.h"

using namespace ::editor::shell;
using namespace ::editor::model;
namespace fs = std::filesystem;

namespace {

// The inputs by the names the steps use, and where each comes from.
struct InputFile {
    const char* name;
    bool fromSamples;  // else from the assimp models
    const char* source;
};

constexpr InputFile kInputs[] = {
    {"sydney.md2", true, "sydney/sydney.md2"},
    {"sydney.bmp", true, "sydney/sydney.bmp"},
    {"sydney.bnd", true, "sydney/sydney.bnd"},
    {"sydney.bnz", true, "sydney/sydney.bnz"},
    {"sydney.spz", true, "sydney/sydney.spz"},
    {"jump.spz", true, "cmu_01_01_jump.spz"},
    {"sample.fm", true, "sample.fm"},
    {"faerie.md2", false, "MD2/faerie.md2"},
    {"faerie2.bmp", false, "MD2/faerie2.bmp"},
    {"box.obj", false, "OBJ/box.obj"},
    {"spider.obj", false, "OBJ/spider.obj"},
    {"spider.mtl", false, "OBJ/spider.mtl"},
    {"clip.bvh", false, "BVH/01_01.bvh"},
    // The export's animations, read from the program directory: one pose keeps it short.
    {"mocap.spz", true, "sydney/sydney.spz"},
};

// Files cut short or filled with noise, under the extensions the readers take.
struct BrokenFile {
    const char* name;
    const char* cutFrom;  // an input to take the first bytes of; null: noise
    std::size_t size;
};

constexpr BrokenFile kBroken[] = {
    {"cut.md2", "sydney.md2", 4000}, {"cut.spz", "sydney.spz", 1000},
    {"cut.bnd", "sydney.bnd", 700},  {"cut.bnz", "sydney.bnz", 100},
    {"noise.obj", nullptr, 3000},    {"noise.bnd", nullptr, 2000},
    {"noise.ori", nullptr, 64},      {"noise.bmp", nullptr, 5000},
    {"noise.bvh", nullptr, 500},
};

// The inputs again, under in/: only the opening of a character and the answers given with the
// commands that read them name these, so that a save dialog taking a random answer seldom
// overwrites them and the walk keeps a character to open.
constexpr const char* kKeptInputs = "in/";

// The models a step opens, each with the frame its list offers first.
struct Character {
    const char* file;
    const char* frame;
};
constexpr Character kCharacters[] = {{"sydney.md2", "stand1"}, {"faerie.md2", "stand01"}};

const char* const kOpenFiles[] = {
    "sydney.md2", "faerie.md2", "sample.fm",  "box.obj",     "spider.obj",  "sydney.spz",
    "jump.spz",   "sydney.bnd", "sydney.bnz", "clip.bvh",    "sydney.bmp",  "faerie2.bmp",
    "cut.md2",    "cut.spz",    "cut.bnd",    "cut.bnz",     "noise.obj",   "noise.bnd",
    "noise.ori",  "noise.bmp",  "noise.bvh",  "missing.obj", "missing.spz", "out.ori",
    "out.bnd",    "out.spz",    "out.bnz",    "out.obj"};
const char* const kSaveFiles[] = {"out.obj", "out.bnd",     "out.spz", "out.bnz", "out.ori",
                                  "out.fm",  "out.m8",      "out.grp", "out.bmp", "out.tga",
                                  "game",    "nodir/x.obj", "."};
const char* const kTexts[] = {"stand1",
                              "run1",
                              "mesh",
                              "LHC",
                              "g1",
                              "g2",
                              "50",
                              "200",
                              "0",
                              "-5",
                              "1e30",
                              "nan",
                              "abc",
                              "",
                              "25%",
                              "1",
                              "100000",
                              "0.001",
                              "a very long name that no dialog takes whole at all"};
const char* const kPlaceJoints[] = {"left knee",  "right wrist", "left shoulder", "neck",
                                    "right toes", "left elbow",  "hips"};

bool StartsFreshHistory(int id) {
    return id == ID_FILE_NEW || id == ID_FILE_OPEN || id == ID_FILE_MRU_FILE1 ||
           id == ID_FILE_MRU_FILE2 || id == ID_FILE_MRU_FILE3 || id == ID_FILE_MRU_FILE4;
}

bool StartsFreshHistoryOrEmpties(int id) {
    return StartsFreshHistory(id) || id == ID_SKELETON_UNBIND_ALL_BONES;
}

// The answers that let a command do its work, given most of the time before it runs; the rest of
// the time its dialogs take whatever the queue holds. Commands not listed take random answers.
struct Plausible {
    int id;
    std::vector<std::string> lines;
};

const std::vector<Plausible>& PlausibleAnswers() {
    static const std::vector<Plausible> table = {
        {ID_FILE_OPEN_PROP, {"answer file in/box.obj"}},
        {ID_FILE_OPEN_PROP, {"answer file in/spider.obj"}},
        {ID_FILE_OPEN_PROP, {"answer file in/faerie.md2", "answer text stand01"}},
        {ID_FILE_LOAD_POSE, {"answer file in/sydney.spz", "answer text sydney"}},
        {ID_FILE_LOAD_POSE, {"answer file in/jump.spz", "answer text jump17"}},
        {ID_FILE_LOAD_BONES, {"answer file in/sydney.bnz"}},
        {ID_FILE_LOAD_BINDINGS, {"answer file in/sydney.bnd"}},
        {ID_FILE_LOAD_ORIENTATION, {"answer file out.ori"}},
        {ID_FILE_SAVE_ORIENTATION, {"answer file out.ori"}},
        {ID_FILE_SAVE_POSE, {"answer text walk", "answer file out.spz"}},
        {ID_FILE_SAVE_BONES, {"answer file out.bnz"}},
        {ID_FILE_SAVE_BINDINGS, {"answer file out.bnd"}},
        {ID_FILE_SAVE_AS, {"answer file out.obj"}},
        {ID_FILE_IMPORT_MOTION_CAPTURE,
         {"answer file in/clip.bvh", "answer mocap 10 clip in-place", "answer file out.spz"}},
        {ID_SKELETON_PLAY_POSES, {"answer file in/sydney.spz", "answer text 10"}},
        {ID_SKELETON_MESH_NODES, {"answer nodes 0 1 5 6 10 11 13 14 15"}},
        {ID_SKELETON_AUTO_RIG, {"answer nodes 0 1 5 6 10 11 13 14 15"}},
        {ID_MODEL_SCALE, {"answer text 90"}},
        {ID_MODEL_SCALE, {"answer text 130%"}},
        {ID_MODEL_JOINT_BLEND, {"answer text 30"}},
        {ID_MODEL_SIMPLIFY, {"answer text 300"}},
        {ID_MODEL_SIMPLIFY, {"answer text 50"}},
        {ID_MODEL_SKIN, {"answer file in/sydney.bmp"}},
        {ID_FILE_BACKGROUND, {"answer file in/faerie2.bmp"}},
        {ID_MODEL_MAKE_POSEABLE, {"answer yes all"}},
        // Through the texture overlap's questions: remapped, or merged as they are.
        {ID_MODEL_MERGE_PROP, {"answer yes", "answer ok", "answer ok"}},
        {ID_MODEL_MERGE_PROP, {"answer no", "answer yes", "answer ok", "answer ok"}},
        {ID_GROUP_SAVE, {"answer text g1"}},
        {ID_GROUP_SAVE, {"answer text g2"}},
        {ID_GROUP_ADD, {"answer text mesh"}},
        {ID_GROUP_ADD, {"answer text g1"}},
        {ID_GROUP_SUBTRACT, {"answer text g1"}},
        {ID_GROUP_RENAME, {"answer text g1", "answer text g3"}},
        {ID_GROUP_DELETE, {"answer text g2", "answer yes"}},
        {ID_EXPORT_FLEX_MODEL, {"answer file out.fm", "answer file in/jump.spz", "answer no all"}},
        {ID_EXPORT_MERGED_SKIN, {"answer file out.bmp"}},
        {ID_EXPORT_GAME_SKIN, {"answer file out.m8"}},
        {ID_EXPORT_FOR_GAME, {"answer file game", "answer file in/sydney.spz"}},
    };
    return table;
}

// How often a walk takes a command against the others: what starts over is rare, what only
// looks or toggles a view is less frequent than what edits.
int CommandWeight(const CommandInfo& command) {
    if (StartsFreshHistoryOrEmpties(command.id)) {
        return 1;
    }
    const std::string path = CommandPath(command);
    for (const char* quiet : {"View/", "Camera/", "Help/", "Edit/Control", "Edit/Input"}) {
        if (path.rfind(quiet, 0) == 0) {
            return 2;
        }
    }
    return 5;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "(missing)";
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file a status line says was written and that is not there, said plainly; empty when every
// one is.
std::string UnwrittenFile(const std::string& transcript) {
    static const std::regex written(
        "^status: (?:Saved model to '([^']+)'|Bones saved to '([^']+)'|"
        "Flex model generated in '([^']+)'|Game skin written to '([^']+)'|"
        "Saved skeleton as '[^']*' in (.+)\\.)",
        std::regex::multiline);
    for (auto match = std::sregex_iterator(transcript.begin(), transcript.end(), written);
         match != std::sregex_iterator(); ++match) {
        for (std::size_t group = 1; group < match->size(); ++group) {
            const std::string path = (*match)[group].str();
            std::error_code error;
            if (!path.empty() && fs::file_size(path, error) == 0) {
                return "'" + path + "' is said to be written but is " +
                       (error ? "not there" : "empty");
            }
        }
    }
    return {};
}

// Runs in directory while alive; the old working directory comes back after.
class InDirectory {
  public:
    explicit InDirectory(const std::string& directory) : old_(fs::current_path()) {
        fs::current_path(directory);
    }
    ~InDirectory() { fs::current_path(old_); }

  private:
    fs::path old_;
};

// "run PATH" when the path names the command alone, else its id with the name as a comment.
std::string RunLineFor(const CommandInfo& command) {
    const std::string path = CommandPath(command);
    const ScriptCommand found = FindCommandForScript(path);
    if (found.id && *found.id == command.id) {
        return "run " + path;
    }
    return "run " + std::to_string(command.id) + "  # " + path;
}

// Whether a walk takes the command. Exit would leave the program; the window's own framework
// commands (toolbar, status bar, panes) have no handler here. Nothing else blocks without a
// window: its dialogs take queued answers and play no event loop. A walk that checks undo keeps
// one history and leaves Undo and Redo to the check.
bool WalkTakes(const CommandInfo& command, bool keepHistory) {
    if (command.id == ID_APP_EXIT || command.frameworkOwned) {
        return false;
    }
    if (keepHistory) {
        const std::string path = CommandPath(command);
        // Normalize Poses is an option kept in the settings, which undo leaves as it is; it
        // changes what Save Pose and Save Bones write, so the states compared would differ.
        return !StartsFreshHistory(command.id) && path != "Edit/Undo" && path != "Edit/Redo" &&
               command.id != ID_SKELETON_NORMALIZE_POSES;
    }
    return true;
}

// Makes the statements of one random step from the seed and what the document holds now.
class StepMaker {
  public:
    StepMaker(uint32_t seed, bool keepHistory) : random_(seed), keepHistory_(keepHistory) {
        for (const CommandInfo& command : CommandTable()) {
            if (WalkTakes(command, keepHistory)) {
                commands_.push_back(&command);
            }
        }
    }

    std::vector<std::string> Opening() {
        const Character& character = kCharacters[Below(std::size(kCharacters))];
        return Answered({std::string("answer file ") + kKeptInputs + character.file,
                         std::string("answer text ") + character.frame, "answer no"},
                        "run File/Open");
    }

    std::vector<std::string> Next(BatchSession& session) {
        pendingAnswers_ = session.Ui().PendingAnswers();
        CMainFrame& frame = session.Frame();
        // An empty editor has little to do: most of the time a character is opened again.
        if (frame.Document().model.mesh.faceCount == 0 && !keepHistory_ && Below(3) != 0) {
            return Opening();
        }
        const int roll = Below(100);
        if (roll < 25) {
            return Pick(frame);
        }
        if (roll < 33) {
            return Select(frame);
        }
        if (roll < 40) {
            return Place(frame);
        }
        if (roll < 43) {
            return {"click " + std::to_string(Below(640)) + " " + std::to_string(Below(480))};
        }
        if (roll < 46) {
            return Look();
        }
        return Run(frame);
    }

  private:
    // The command with just these answers: none left over from earlier steps goes to its
    // dialogs, and none it did not take is left for later ones (a kept input's name taken by a
    // save dialog would overwrite it).
    static std::vector<std::string> Answered(std::vector<std::string> answers, std::string run) {
        answers.insert(answers.begin(), "answer clear");
        answers.push_back(std::move(run));
        answers.push_back("answer clear");
        return answers;
    }

    int Below(std::size_t n) {
        return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random_));
    }
    template <std::size_t N>
    const char* AnyOf(const char* const (&items)[N]) {
        return items[Below(N)];
    }

    std::vector<std::string> Pick(CMainFrame& frame) {
        const int faces = frame.Document().model.mesh.faceCount;
        if (faces <= 0) {
            return Run(frame);
        }
        // Runs of neighbouring faces make groups worth flooding and binding.
        const int first = Below(static_cast<std::size_t>(faces));
        std::vector<std::string> lines;
        for (int i = 0, n = keepHistory_ ? 1 : 1 + Below(4); i < n && first + i < faces; ++i) {
            lines.push_back("pick " + std::to_string(first + i));
        }
        return lines;
    }

    std::vector<std::string> Select(CMainFrame& frame) {
        std::vector<std::string> names = {"model", "prop", "dividing plane"};
        for (int j = 0; j < NUM_JOINTS; ++j) {
            names.push_back(JointTableName(j));
        }
        for (int b = 0; b < NUM_BONES; ++b) {
            names.push_back(BoneTableName(b));
        }
        const std::string& name = names[Below(names.size())];
        C3dShape* shape = ScriptObjectShape(frame, name);
        if (shape == nullptr || !ScriptObjectSelectable(frame, *shape)) {
            return Run(frame);
        }
        return {"select " + name};
    }

    std::vector<std::string> Place(CMainFrame&) {
        // Mostly near the body, now and then far off or onto the joint above.
        const double reach = Below(10) == 0 ? 5000.0 : 40.0;
        std::uniform_real_distribution<double> coordinate(-reach, reach);
        std::ostringstream line;
        line << "place " << AnyOf(kPlaceJoints) << " " << coordinate(random_) << " "
             << coordinate(random_) << " " << coordinate(random_);
        return {line.str()};
    }

    // What only shows or sizes the view: the printouts must cope with any document.
    std::vector<std::string> Look() {
        const char* const shows[] = {"show groups", "show temporary", "show selection",
                                     "show joints", "view 320 200",   "view 640 480"};
        if (Below(7) == 0) {
            return {std::string("show bone ") + BoneTableName(Below(NUM_BONES))};
        }
        return {AnyOf(shows)};
    }

    std::vector<std::string> Run(CMainFrame& frame) {
        std::vector<const CommandInfo*> enabled;
        std::vector<int> weights;
        for (const CommandInfo* command : commands_) {
            if (frame.Commands().IsEnabled(command->id)) {
                enabled.push_back(command);
                weights.push_back(CommandWeight(*command));
            }
        }
        if (enabled.empty()) {
            return {};
        }
        const CommandInfo& command = *enabled[std::discrete_distribution<std::size_t>(
            weights.begin(), weights.end())(random_)];
        if (command.id == ID_FILE_OPEN && Below(2) == 0) {
            return Opening();
        }
        if (std::vector<const Plausible*> fits = PlausibleFor(command.id);
            !fits.empty() && Below(4) != 0) {
            return Answered(fits[Below(fits.size())]->lines, RunLineFor(command));
        }
        std::vector<std::string> lines;
        if (pendingAnswers_ < 12) {
            for (int i = 0, n = Below(4); i < n; ++i) {
                lines.push_back(Answer());
            }
        }
        lines.push_back(RunLineFor(command));
        return lines;
    }

    static std::vector<const Plausible*> PlausibleFor(int id) {
        std::vector<const Plausible*> fits;
        for (const Plausible& plausible : PlausibleAnswers()) {
            if (plausible.id == id) {
                fits.push_back(&plausible);
            }
        }
        return fits;
    }

    std::string Answer() {
        const int roll = Below(100);
        if (roll < 22) {
            return std::string("answer file ") + AnyOf(kOpenFiles);
        }
        if (roll < 35) {
            return std::string("answer file ") + AnyOf(kSaveFiles);
        }
        if (roll < 62) {
            return std::string("answer text ") + AnyOf(kTexts);
        }
        if (roll < 90) {
            const char* const buttons[] = {"yes", "no", "ok", "cancel", "yes all", "no all"};
            return std::string("answer ") + AnyOf(buttons);
        }
        if (roll < 95) {
            std::string line = "answer nodes";
            for (int node = 0; node < NUM_MESH_NODES; ++node) {
                if (Below(2) == 0) {
                    line += " " + std::to_string(node);
                }
            }
            return line;
        }
        if (roll < 97) {
            const char* const targets[] = {"object", "camera"};
            const char* const devices[] = {"keyboard", "mouse", "joystick"};
            return std::string("answer device ") + AnyOf(targets) + " " + AnyOf(devices);
        }
        const char* const rates[] = {"1", "10", "30", "1000"};
        const char* const motions[] = {"in-place", "root-motion"};
        return std::string("answer mocap ") + AnyOf(rates) + " clip " + AnyOf(motions);
    }

    std::mt19937 random_;
    // No step starts a fresh history, and each is at most one entry of it.
    bool keepHistory_;
    std::size_t pendingAnswers_ = 0;
    std::vector<const CommandInfo*> commands_;
};

// A batch session in the prepared directory whose statements are checked one by one and kept.
class CheckedSession {
  public:
    explicit CheckedSession(const std::string& directory, std::ostream* trace = nullptr)
        : inDirectory_(directory), session_(transcript_, "", "mn.log"), trace_(trace) {}

    bool Start() { return session_.Start(); }
    CMainFrame& Frame() { return session_.Frame(); }
    BatchSession& Session() { return session_; }
    const std::vector<std::string>& Script() const { return script_; }

    // Runs the lines of one step; the broken invariant after them, or empty. A statement the
    // editor refuses (a disabled command, a face it does not have) changes nothing and is kept
    // as a comment.
    std::string Step(const std::vector<std::string>& lines) {
        std::string unwritten;
        for (const std::string& line : lines) {
            const std::string error = session_.RunLine(line);
            script_.push_back(error.empty() ? line : "# " + line + "  (refused: " + error + ")");
            if (unwritten.empty()) {
                unwritten = UnwrittenFile(transcript_.str());
            }
            if (trace_ != nullptr) {
                *trace_ << "> " << script_.back() << "\n" << transcript_.str() << std::flush;
            }
            // The transcript of one statement is all a finding needs; memory stays flat.
            transcript_.str({});
        }
        session_.Ui().ClearTranscript();
        if (!unwritten.empty()) {
            return unwritten;
        }
        return BrokenInvariant(session_.Frame().Document());
    }

    // Saves the model, the bindings, the pose and the bone lengths, as statements of the script
    // (a replay saves the same files); their bytes. Always under one name, which the OBJ names
    // inside; each is kept under the tag as well, for a person to compare. The saves are no
    // steps.
    std::vector<std::string> SaveState(const std::string& tag) {
        const std::vector<std::string> extensions = {".obj", ".bnd", ".spz", ".bnz"};
        const std::string base = "state";
        Step({"answer clear", "answer file " + base + ".obj", "run File/Save As",
              "answer file " + base + ".bnd", "run Save Bindings", "answer text state",
              "answer file " + base + ".spz", "run Save Pose", "answer file " + base + ".bnz",
              "run Save Bones", "answer clear"});
        std::vector<std::string> bytes;
        for (const std::string& extension : extensions) {
            bytes.push_back(ReadBytes(base + extension));
            std::ofstream(tag + extension, std::ios::binary) << bytes.back();
            fs::remove(base + extension);
        }
        return bytes;
    }

  private:
    InDirectory inDirectory_;
    std::ostringstream transcript_;
    BatchSession session_;
    std::vector<std::string> script_;
    std::ostream* trace_;
};

MonkeyFinding Finding(uint32_t seed, int step, std::string fault, const CheckedSession& session) {
    return {seed, step, std::move(fault), session.Script()};
}

// Runs the command until it is disabled (at most limit times); how many times it ran.
int RunWhileEnabled(CheckedSession& session, const std::string& path, int limit,
                    std::string& fault) {
    const std::optional<int> id = FindCommandForScript(path).id;
    int runs = 0;
    while (id && session.Frame().Commands().IsEnabled(*id) && runs < limit && fault.empty()) {
        fault = session.Step({"run " + path});
        ++runs;
    }
    return runs;
}

}  // namespace

std::string PrepareMonkeyDirectory(const std::string& directory, const MonkeySources& sources) {
    const fs::path target(directory);
    // What an earlier walk saved there would change what this one loads.
    for (const fs::directory_entry& entry : fs::directory_iterator(target)) {
        fs::remove_all(entry.path());
    }
    for (const InputFile& input : kInputs) {
        const fs::path from =
            fs::path(input.fromSamples ? sources.samplesDir : sources.assimpModelsDir) /
            input.source;
        std::error_code error;
        fs::copy_file(from, target / input.name, fs::copy_options::overwrite_existing, error);
        if (error) {
            return "cannot copy " + from.string() + ": " + error.message();
        }
    }
    fs::create_directories(target / kKeptInputs);
    for (const InputFile& input : kInputs) {
        fs::copy_file(target / input.name, target / kKeptInputs / input.name,
                      fs::copy_options::overwrite_existing);
    }
    std::mt19937 noise(1);
    for (const BrokenFile& broken : kBroken) {
        std::string bytes;
        if (broken.cutFrom != nullptr) {
            bytes = ReadBytes((target / broken.cutFrom).string()).substr(0, broken.size);
        } else {
            for (std::size_t i = 0; i < broken.size; ++i) {
                bytes.push_back(static_cast<char>(noise() & 0xff));
            }
        }
        std::ofstream(target / broken.name, std::ios::binary) << bytes;
    }
    fs::create_directories(target / "game");
    return {};
}

std::string DescribeFinding(const MonkeyFinding& finding) {
    std::ostringstream text;
    text << "monkey seed " << finding.seed << ", step " << finding.step << ": " << finding.fault
         << "\n# replay: in a directory prepared as the monkey's, Marionet --batch this script\n";
    for (const std::string& line : finding.script) {
        text << line << "\n";
    }
    return text.str();
}

std::optional<MonkeyFinding> RunMonkey(const std::string& directory, uint32_t seed, int steps,
                                       std::ostream* trace) {
    CheckedSession session(directory, trace);
    if (!session.Start()) {
        return MonkeyFinding{seed, 0, "the editor could not start", {}};
    }
    StepMaker maker(seed, false);
    if (std::string fault = session.Step(maker.Opening()); !fault.empty()) {
        return Finding(seed, 0, fault, session);
    }
    for (int step = 1; step <= steps; ++step) {
        if (std::string fault = session.Step(maker.Next(session.Session())); !fault.empty()) {
            return Finding(seed, step, fault, session);
        }
    }
    return std::nullopt;
}

std::string ReplayChecked(const std::string& directory, const std::vector<std::string>& lines) {
    CheckedSession session(directory);
    if (!session.Start()) {
        return "the editor could not start";
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::string fault = session.Step({lines[i]}); !fault.empty()) {
            return "line " + std::to_string(i + 1) + ": " + fault;
        }
    }
    return {};
}

bool UndoRedoAvailable() {
    return FindCommandForScript("Edit/Undo").id.has_value() &&
           FindCommandForScript("Edit/Redo").id.has_value();
}

std::optional<MonkeyFinding> RunUndoRoundTrip(const std::string& directory, uint32_t seed,
                                              int steps) {
    CheckedSession session(directory);
    if (!session.Start()) {
        return MonkeyFinding{seed, 0, "the editor could not start", {}};
    }
    StepMaker maker(seed, true);
    if (std::string fault = session.Step(maker.Opening()); !fault.empty()) {
        return Finding(seed, 0, fault, session);
    }
    const std::vector<std::string> start = session.SaveState("start");
    for (int step = 1; step <= steps; ++step) {
        if (std::string fault = session.Step(maker.Next(session.Session())); !fault.empty()) {
            return Finding(seed, step, fault, session);
        }
    }
    const std::vector<std::string> end = session.SaveState("end");
    const char* const kinds[] = {"model (OBJ)", "bindings", "pose", "bone lengths"};
    auto compare = [&](const std::vector<std::string>& wanted, const std::string& tag,
                       const char* after) -> std::optional<MonkeyFinding> {
        const std::vector<std::string> got = session.SaveState(tag);
        for (std::size_t i = 0; i < got.size(); ++i) {
            if (got[i] != wanted[i]) {
                return Finding(seed, steps,
                               std::string("after ") + after + " the " + kinds[i] +
                                   " differs from the saved one",
                               session);
            }
        }
        return std::nullopt;
    };
    std::string fault;
    // Every step is at most one history entry, and the history holds more than the walk.
    RunWhileEnabled(session, "Edit/Undo", 4 * steps + 10, fault);
    if (!fault.empty()) {
        return Finding(seed, steps, "while undoing: " + fault, session);
    }
    if (auto finding = compare(start, "undone", "undoing every step")) {
        return finding;
    }
    RunWhileEnabled(session, "Edit/Redo", 4 * steps + 10, fault);
    if (!fault.empty()) {
        return Finding(seed, steps, "while redoing: " + fault, session);
    }
    return compare(end, "redone", "redoing every step");
}

namespace {

// A fault's kind: its text without a replay's "line N: " and without the numbers, which shift
// as a script shrinks.
std::string FaultKind(std::string_view fault) {
    if (fault.starts_with("line ")) {
        fault.remove_prefix(std::min(fault.size(), fault.find(": ") + 2));
    }
    std::string kind;
    for (char c : fault) {
        if (c < '0' || c > '9') {
            kind.push_back(c);
        }
    }
    return kind;
}

}  // namespace

std::vector<std::string> ShrinkScript(const std::string& directory, const MonkeySources& sources,
                                      std::vector<std::string> lines, const std::string& fault) {
    const std::string wanted = FaultKind(fault);
    auto stillFails = [&](const std::vector<std::string>& candidate) {
        if (!PrepareMonkeyDirectory(directory, sources).empty()) {
            return false;
        }
        const std::string found = ReplayChecked(directory, candidate);
        return !found.empty() && FaultKind(found) == wanted;
    };
    // Refused statements changed nothing.
    std::erase_if(lines, [](const std::string& line) { return line.rfind('#', 0) == 0; });
    // Chunks from the end, halving: the last lines are the likeliest to matter, so a cut there
    // fails early and costs a short replay.
    for (std::size_t chunk = std::max<std::size_t>(lines.size() / 2, 1);; chunk /= 2) {
        for (std::size_t end = lines.size(); end > 0;) {
            const std::size_t first = end >= chunk ? end - chunk : 0;
            std::vector<std::string> candidate(lines.begin(), lines.begin() + first);
            candidate.insert(candidate.end(), lines.begin() + end, lines.end());
            if (stillFails(candidate)) {
                lines = std::move(candidate);
            }
            end = first;
        }
        if (chunk == 1) {
            break;
        }
    }
    return lines;
}

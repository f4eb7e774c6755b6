#include "editor/shell/batch_script.h"

#include <charconv>
#include <cmath>

#include "editor/shell/command_table.h"
#include "editor/shell/script_names.h"
#include "editor/shell/text_util.h"

namespace editor::shell {

namespace {

std::optional<int> ParseInt(std::string_view word) {
    int value = 0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return value;
}

// The text after the first `count` words, trimmed.
std::string_view RestAfterWords(std::string_view text, int count) {
    text = Trim(text);
    for (int i = 0; i < count; ++i) {
        std::size_t blank = text.find_first_of(" \t");
        text = blank == std::string_view::npos ? std::string_view() : Trim(text.substr(blank));
    }
    return text;
}

BatchLine Error(std::string message) {
    return BatchLine{std::nullopt, std::move(message)};
}

BatchLine Statement(BatchStatement::Action action) {
    return BatchLine{BatchStatement{0, std::move(action)}, {}};
}

std::optional<int> IndexOfWord(std::string_view word,
                               std::initializer_list<std::string_view> words) {
    int index = 0;
    for (std::string_view candidate : words) {
        if (EqualsIgnoreCase(word, candidate)) {
            return index;
        }
        ++index;
    }
    return std::nullopt;
}

std::optional<double> ParseNumber(std::string_view word) {
    double value = 0.0;
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseRate(std::string_view word) {
    std::optional<double> value = ParseNumber(word);
    if (!value || !(*value > 0.0) || *value > 1000.0) {
        return std::nullopt;
    }
    return value;
}

// answer mocap RATE NAME [in-place | root-motion]
BatchLine ParseMotionCaptureAnswer(const std::vector<std::string_view>& words) {
    std::optional<double> rate =
        words.size() == 4 || words.size() == 5 ? ParseRate(words[2]) : std::nullopt;
    std::optional<int> motion = words.size() == 5
                                    ? IndexOfWord(words[4], {"in-place", "root-motion"})
                                    : std::optional<int>(0);
    if (words.size() < 4 || words.size() > 5 || !rate || !motion) {
        return Error(
            "'answer mocap' needs a rate (above 0, at most 1000), a base name, then "
            "optionally in-place or root-motion");
    }
    MotionCaptureChoice choice;
    choice.framesPerSecond = *rate;
    choice.baseName = std::string(words[3]);
    choice.keepRootMotion = *motion == 1;
    return Statement(batch::Answer{ScriptedAnswer::MotionCapture(std::move(choice))});
}

BatchLine ParseAnswer(std::string_view text, const std::vector<std::string_view>& words) {
    if (words.size() < 2) {
        return Error(
            "'answer' needs a kind: file, text, yes, no, ok, cancel, nodes, device, mocap or "
            "clear");
    }
    std::string_view kind = words[1];
    batch::Answer statement;
    if (EqualsIgnoreCase(kind, "clear")) {
        if (words.size() != 2) {
            return Error("'answer clear' takes nothing more");
        }
        statement.clear = true;
    } else if (EqualsIgnoreCase(kind, "file")) {
        std::string_view path = RestAfterWords(text, 2);
        if (path.empty()) {
            return Error("'answer file' needs a path");
        }
        statement.answer = ScriptedAnswer::File(std::string(path));
    } else if (EqualsIgnoreCase(kind, "text")) {
        statement.answer = ScriptedAnswer::Text(std::string(RestAfterWords(text, 2)));
    } else if (std::optional<int> button = IndexOfWord(kind, {"yes", "no", "ok", "cancel"})) {
        // "all" answers every question of a run asked once per bone.
        const bool toAll = words.size() == 3 && *button <= 1 && EqualsIgnoreCase(words[2], "all");
        if (words.size() != 2 && !toAll) {
            return Error("'answer " + std::string(kind) + "' takes nothing more" +
                         (*button <= 1 ? " than 'all'" : ""));
        }
        statement.answer =
            ScriptedAnswer::Press(static_cast<ScriptedAnswer::Button>(*button), toAll);
    } else if (EqualsIgnoreCase(kind, "nodes")) {
        std::vector<int> nodes;
        for (std::size_t i = 2; i < words.size(); ++i) {
            std::optional<int> node = ParseInt(words[i]);
            if (!node || *node < 0 || *node >= kMeshNodeCount) {
                return Error("mesh node '" + std::string(words[i]) +
                             "' is not a number from 0 to 15");
            }
            nodes.push_back(*node);
        }
        statement.answer = ScriptedAnswer::Nodes(std::move(nodes));
    } else if (EqualsIgnoreCase(kind, "device")) {
        std::optional<int> target =
            words.size() == 4 ? IndexOfWord(words[2], {"object", "camera"}) : std::nullopt;
        std::optional<int> device = words.size() == 4
                                        ? IndexOfWord(words[3], {"keyboard", "mouse", "joystick"})
                                        : std::nullopt;
        if (!target || !device) {
            return Error(
                "'answer device' needs object or camera, then keyboard, mouse or joystick");
        }
        statement.answer = ScriptedAnswer::Device(*target, *device);
    } else if (EqualsIgnoreCase(kind, "mocap")) {
        return ParseMotionCaptureAnswer(words);
    } else {
        return Error("unknown answer kind '" + std::string(kind) + "'");
    }
    return Statement(std::move(statement));
}

// Two whole numbers after the keyword, made into the statement Pair.
template <typename Pair>
BatchLine ParsePair(const std::vector<std::string_view>& words, bool positive) {
    std::string keyword(words[0]);
    std::optional<int> first = words.size() == 3 ? ParseInt(words[1]) : std::nullopt;
    std::optional<int> second = words.size() == 3 ? ParseInt(words[2]) : std::nullopt;
    if (!first || !second || (positive && (*first <= 0 || *second <= 0))) {
        return Error("'" + keyword + "' needs two " + (positive ? "positive " : "") +
                     "whole numbers");
    }
    return Statement(Pair{*first, *second});
}

BatchLine ParseSelect(std::string_view text) {
    std::string_view name = RestAfterWords(text, 1);
    if (name.empty()) {
        return Error("'select' needs the name of a joint, a bone, model, prop or dividing plane");
    }
    if (!IsScriptObjectName(name)) {
        return Error("there is no object called '" + std::string(name) + "'");
    }
    return Statement(batch::Select{std::string(name)});
}

// place JOINT NAME X Y Z: the joint's name may have blanks, the point is the last three words.
BatchLine ParsePlace(const std::vector<std::string_view>& words) {
    const char* usage = "'place' needs the name of a joint and a point X Y Z";
    if (words.size() < 5) {
        return Error(usage);
    }
    const std::size_t first = words.size() - 3;
    batch::Place statement;
    for (std::size_t i = 0; i < 3; ++i) {
        std::optional<double> value = ParseNumber(words[first + i]);
        if (!value) {
            return Error(usage);
        }
        statement.point[i] = *value;
    }
    std::string name(words[1]);
    for (std::size_t i = 2; i < first; ++i) {
        name += " ";
        name += words[i];
    }
    if (ScriptJointIndex(name) < 0) {
        return Error("there is no joint called '" + name + "'");
    }
    statement.joint = std::move(name);
    return Statement(std::move(statement));
}

BatchLine ParsePick(const std::vector<std::string_view>& words) {
    std::optional<int> face = words.size() == 2 ? ParseInt(words[1]) : std::nullopt;
    if (!face || *face < 0) {
        return Error("'pick' needs a face number (0 or more)");
    }
    return Statement(batch::Pick{*face});
}

BatchLine ParseShow(std::string_view text, const std::vector<std::string_view>& words) {
    batch::Show statement;
    const std::optional<int> subject =
        words.size() >= 2
            ? IndexOfWord(words[1], {"groups", "temporary", "bone", "selection", "joints"})
            : std::nullopt;
    if (!subject) {
        return Error("'show' needs groups, temporary, bone NAME, selection or joints");
    }
    statement.subject = static_cast<batch::Show::Subject>(*subject);
    if (statement.subject != batch::Show::Subject::Bone) {
        if (words.size() != 2) {
            return Error("'show " + std::string(words[1]) + "' takes nothing more");
        }
        return Statement(std::move(statement));
    }
    std::string_view name = RestAfterWords(text, 2);
    if (ScriptBoneIndex(name) < 0) {
        return Error("there is no bone called '" + std::string(name) + "'");
    }
    statement.bone = std::string(name);
    return Statement(std::move(statement));
}

BatchLine ParseSnapshot(std::string_view text) {
    std::string_view path = RestAfterWords(text, 1);
    const std::string_view extension = ".png";
    if (path.size() <= extension.size() ||
        !EqualsIgnoreCase(path.substr(path.size() - extension.size()), extension)) {
        return Error("'snapshot' writes a PNG picture: give a file name ending in .png");
    }
    return Statement(batch::Snapshot{std::string(path)});
}

// The name as written, each "/"-separated part trimmed and without "&" or a trailing "...",
// ready to compare with the table's paths and plain names.
std::string PlainScriptPath(std::string_view name) {
    std::string path;
    while (true) {
        const std::size_t slash = name.find('/');
        path += PlainCommandName(Trim(name.substr(0, slash)));
        if (slash == std::string_view::npos) {
            return path;
        }
        path.push_back('/');
        name.remove_prefix(slash + 1);
    }
}

std::string AmbiguityMessage(std::string_view name, const std::vector<const CommandInfo*>& named) {
    std::string message =
        "'" + std::string(name) + "' names " + std::to_string(named.size()) + " commands:";
    for (std::size_t i = 0; i < named.size(); ++i) {
        message += (i == 0 ? " " : i + 1 == named.size() ? " and " : ", ");
        message += CommandPath(*named[i]) + " (" + std::to_string(named[i]->id) + ")";
    }
    return message + "; write its menu path or id";
}

// The statement a line of words starts with its keyword.
BatchLine ParseStatement(std::string_view text, const std::vector<std::string_view>& words) {
    const std::string_view keyword = words[0];
    if (EqualsIgnoreCase(keyword, "answer")) {
        return ParseAnswer(text, words);
    }
    if (EqualsIgnoreCase(keyword, "run")) {
        std::string_view command = RestAfterWords(text, 1);
        if (command.empty()) {
            return Error("'run' needs a command");
        }
        return Statement(batch::Run{std::string(command)});
    }
    if (EqualsIgnoreCase(keyword, "view")) {
        return ParsePair<batch::View>(words, true);
    }
    if (EqualsIgnoreCase(keyword, "click")) {
        return ParsePair<batch::Click>(words, false);
    }
    if (EqualsIgnoreCase(keyword, "select")) {
        return ParseSelect(text);
    }
    if (EqualsIgnoreCase(keyword, "place")) {
        return ParsePlace(words);
    }
    if (EqualsIgnoreCase(keyword, "pick")) {
        return ParsePick(words);
    }
    if (EqualsIgnoreCase(keyword, "show")) {
        return ParseShow(text, words);
    }
    if (EqualsIgnoreCase(keyword, "snapshot")) {
        return ParseSnapshot(text);
    }
    return Error("unknown statement '" + std::string(keyword) + "'");
}

}  // namespace

BatchLine ParseBatchLine(std::string_view text, int lineNumber) {
    text = Trim(text.substr(0, text.find('#')));
    std::vector<std::string_view> words = SplitWords(text);
    if (words.empty()) {
        return {};
    }
    BatchLine parsed = ParseStatement(text, words);
    if (parsed.statement) {
        parsed.statement->line = lineNumber;
    }
    return parsed;
}

ScriptCommand FindCommandForScript(std::string_view name) {
    if (std::optional<int> id = ParseInt(name)) {
        if (FindCommand(*id) == nullptr) {
            return {std::nullopt, "unknown command '" + std::string(name) + "'"};
        }
        return {id, {}};
    }
    const std::string wanted = PlainScriptPath(name);
    std::vector<const CommandInfo*> named;
    for (const CommandInfo& command : CommandTable()) {
        if (EqualsIgnoreCase(CommandPath(command), wanted) ||
            EqualsIgnoreCase(PlainCommandName(command.menuText), wanted)) {
            named.push_back(&command);
        }
    }
    if (named.empty()) {
        return {std::nullopt, "unknown command '" + std::string(name) + "'"};
    }
    if (named.size() > 1) {
        return {std::nullopt, AmbiguityMessage(name, named)};
    }
    return {named.front()->id, {}};
}

}  // namespace editor::shell

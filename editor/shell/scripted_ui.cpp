#include "editor/shell/scripted_ui.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "editor/shell/text_util.h"

namespace editor::shell {

ScriptedAnswer ScriptedAnswer::File(std::string path) {
    ScriptedAnswer answer;
    answer.kind = Kind::File;
    answer.text = std::move(path);
    return answer;
}

ScriptedAnswer ScriptedAnswer::Text(std::string text) {
    ScriptedAnswer answer;
    answer.kind = Kind::Text;
    answer.text = std::move(text);
    return answer;
}

ScriptedAnswer ScriptedAnswer::Press(Button button, bool toAll) {
    ScriptedAnswer answer;
    answer.kind = Kind::Button;
    answer.button = button;
    answer.toAll = toAll;
    return answer;
}

ScriptedAnswer ScriptedAnswer::Nodes(std::vector<int> nodes) {
    ScriptedAnswer answer;
    answer.kind = Kind::Nodes;
    answer.nodes = std::move(nodes);
    return answer;
}

ScriptedAnswer ScriptedAnswer::Device(int target, int device) {
    ScriptedAnswer answer;
    answer.kind = Kind::Device;
    answer.device = {target, device};
    return answer;
}

ScriptedAnswer ScriptedAnswer::MotionCapture(MotionCaptureChoice choice) {
    ScriptedAnswer answer;
    answer.kind = Kind::MotionCapture;
    answer.motionCapture = std::move(choice);
    return answer;
}

void ScriptedUi::Queue(ScriptedAnswer answer) {
    answers_.push_back(std::move(answer));
}

std::size_t ScriptedUi::PendingAnswers() const {
    return answers_.size();
}

std::optional<ScriptedAnswer> ScriptedUi::Take(ScriptedAnswer::Kind kind) {
    auto it = std::find_if(answers_.begin(), answers_.end(),
                           [kind](const ScriptedAnswer& answer) { return answer.kind == kind; });
    if (it == answers_.end()) {
        return std::nullopt;
    }
    ScriptedAnswer answer = std::move(*it);
    answers_.erase(it);
    return answer;
}

void ScriptedUi::Record(std::string line) {
    transcript_.push_back(std::move(line));
    if (sink_) {
        sink_(transcript_.back());
    }
}

void ScriptedUi::Unanswered(const std::string& question) {
    Record("unanswered: " + question);
}

void ScriptedUi::Answered(const std::string& question, const std::string& answer) {
    Record("question: " + question + " -> " + answer);
}

void ScriptedUi::SetStatusText(const std::string& text) {
    Record("status: " + text);
}

void ScriptedUi::ShowMessage(const std::string& text) {
    Record("message: " + text);
}

bool ScriptedUi::AskButtons(const std::string& text, const char* accept, const char* decline) {
    std::optional<ScriptedAnswer> answer = Take(ScriptedAnswer::Kind::Button);
    if (!answer) {
        Unanswered(text);
        return false;
    }
    bool accepted = answer->button == ScriptedAnswer::Button::Yes ||
                    answer->button == ScriptedAnswer::Button::Ok;
    Answered(text, accepted ? accept : decline);
    return accepted;
}

bool ScriptedUi::AskYesNo(const std::string& text) {
    return AskButtons(text, "yes", "no");
}

bool ScriptedUi::AskOkCancel(const std::string& text) {
    return AskButtons(text, "ok", "cancel");
}

Ui::Reply ScriptedUi::AskYesNoCancel(const std::string& text) {
    std::optional<ScriptedAnswer> answer = Take(ScriptedAnswer::Kind::Button);
    if (!answer) {
        Unanswered(text);
        return Reply::Cancel;
    }
    switch (answer->button) {
        case ScriptedAnswer::Button::Yes:
        case ScriptedAnswer::Button::Ok:
            Answered(text, "yes");
            return Reply::Yes;
        case ScriptedAnswer::Button::No:
            Answered(text, "no");
            return Reply::No;
        case ScriptedAnswer::Button::Cancel:
            break;
    }
    Answered(text, "cancel");
    return Reply::Cancel;
}

Ui::ManyReply ScriptedUi::AskYesNoToAll(const std::string& text) {
    std::optional<ScriptedAnswer> answer = Take(ScriptedAnswer::Kind::Button);
    if (!answer) {
        Unanswered(text);
        return ManyReply::No;
    }
    const bool accepted = answer->button == ScriptedAnswer::Button::Yes ||
                          answer->button == ScriptedAnswer::Button::Ok;
    Answered(text, std::string(accepted ? "yes" : "no") + (answer->toAll ? " all" : ""));
    if (answer->toAll) {
        return accepted ? ManyReply::YesToAll : ManyReply::NoToAll;
    }
    return accepted ? ManyReply::Yes : ManyReply::No;
}

static std::string DialogTitle(const FileDialogRequest& request, const char* fallback) {
    return request.title.empty() ? fallback : request.title;
}

std::optional<std::string> ScriptedUi::TakePath(const std::string& title) {
    std::optional<ScriptedAnswer> answer = Take(ScriptedAnswer::Kind::File);
    if (!answer) {
        Unanswered(title);
        return std::nullopt;
    }
    Answered(title, answer->text);
    return answer->text;
}

std::optional<std::string> ScriptedUi::AskOpenFile(const FileDialogRequest& request) {
    fileRequests_.push_back(request);
    return TakePath(DialogTitle(request, "Open"));
}

std::optional<std::string> ScriptedUi::AskSaveFile(const FileDialogRequest& request) {
    fileRequests_.push_back(request);
    return TakePath(DialogTitle(request, "Save As"));
}

std::optional<std::string> ScriptedUi::AskFolder(const FileDialogRequest& request) {
    return TakePath(DialogTitle(request, "Choose Folder"));
}

std::optional<std::string> ScriptedUi::TakeText(const std::string& question) {
    std::optional<ScriptedAnswer> answer = Take(ScriptedAnswer::Kind::Text);
    if (!answer) {
        Unanswered(question);
        return std::nullopt;
    }
    return answer->text;
}

std::optional<std::string> ScriptedUi::TakeLimitedText(const std::string& question, int maxLength) {
    std::optional<std::string> text = TakeText(question);
    if (!text) {
        return std::nullopt;
    }
    // The edit box would not have taken more characters than its limit.
    if (maxLength > 0 && text->size() > static_cast<std::size_t>(maxLength)) {
        text->resize(maxLength);
    }
    Answered(question, *text);
    return text;
}

std::optional<std::string> ScriptedUi::AskText(const TextRequest& request) {
    return TakeLimitedText(request.title, request.maxLength);
}

std::optional<int> ScriptedUi::AskListChoice(const ListChoiceRequest& request) {
    std::optional<std::string> text = TakeText(request.title);
    if (!text) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < request.items.size(); ++i) {
        if (EqualsIgnoreCase(request.items[i], *text)) {
            Answered(request.title, request.items[i]);
            return static_cast<int>(i);
        }
    }
    // A list cannot take a text it does not show: the dialog is cancelled.
    Unanswered(request.title);
    return std::nullopt;
}

std::optional<std::string> ScriptedUi::AskComboChoice(const ComboChoiceRequest& request) {
    return TakeLimitedText(request.title, request.maxLength);
}

std::optional<MeshNodeFlags> ScriptedUi::AskMeshNodes(const MeshNodesRequest& request) {
    static const std::string kTitle = "Select Active Mesh Nodes";
    std::optional<ScriptedAnswer> answer = Take(ScriptedAnswer::Kind::Nodes);
    if (!answer) {
        Unanswered(kTitle);
        return std::nullopt;
    }
    MeshNodeFlags checked{};
    for (int node : answer->nodes) {
        if (node >= 0 && node < kMeshNodeCount) {
            checked[node] = 1;
        }
    }
    // Go through the dialog's boxes so that the shared "Torso" box behaves as it does on screen.
    MeshNodeFlags nodes = request.nodes;
    ApplyMeshNodeBoxes(MeshNodeBoxes(checked), nodes);
    std::string list;
    for (int node = 0; node < kMeshNodeCount; ++node) {
        if (nodes[node] != 0) {
            list += (list.empty() ? "" : " ") + std::to_string(node);
        }
    }
    Answered(kTitle, list.empty() ? "none" : list);
    return nodes;
}

bool ScriptedUi::AskControlDevice(ControlDeviceChoice& choice) {
    static const std::string kTitle = "Control Device";
    static const char* const kTargets[] = {"object", "camera"};
    static const char* const kDevices[] = {"keyboard", "mouse", "joystick"};
    std::optional<ScriptedAnswer> answer = Take(ScriptedAnswer::Kind::Device);
    if (!answer) {
        Unanswered(kTitle);
        return false;
    }
    choice = answer->device;
    Answered(kTitle, std::string(kTargets[choice.target == 1 ? 1 : 0]) + " " +
                         kDevices[choice.device >= 0 && choice.device < 3 ? choice.device : 0]);
    return true;
}

bool ScriptedUi::AskMotionCapture(MotionCaptureChoice& choice, int maxNameLength) {
    static const std::string kTitle = "Import Motion Capture";
    std::optional<ScriptedAnswer> answer = Take(ScriptedAnswer::Kind::MotionCapture);
    if (!answer) {
        Unanswered(kTitle);
        return false;
    }
    choice = answer->motionCapture;
    // The dialog's name box would not have taken more.
    if (maxNameLength > 0 && choice.baseName.size() > static_cast<std::size_t>(maxNameLength)) {
        choice.baseName.resize(static_cast<std::size_t>(maxNameLength));
    }
    char rate[32];
    std::snprintf(rate, sizeof rate, "%g", choice.framesPerSecond);
    Answered(kTitle, std::string(rate) + " " + choice.baseName +
                         (choice.keepRootMotion ? " root-motion" : " in-place"));
    return true;
}

bool ScriptedUi::StartTicking(int, std::function<void()>, std::function<void()>) {
    return false;
}

void ScriptedUi::ShowTransformsSheet(CTransformDlg& sheet) {
    transformsSheet_ = &sheet;
}

void ScriptedUi::CloseTransformsSheet() {
    transformsSheet_ = nullptr;
}

void ScriptedUi::ShowAbout(const std::string& text) {
    Record("message: " + text);
}

}  // namespace editor::shell

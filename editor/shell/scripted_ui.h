#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/shell/ui.h"

namespace editor::shell {

// An answer waiting for the next dialog that takes its kind.
struct ScriptedAnswer {
    enum class Kind { File, Text, Button, Nodes, Device, MotionCapture };
    enum class Button { Yes, No, Ok, Cancel };

    Kind kind = Kind::Text;
    std::string text;                   // File, Text
    Button button = Button::Ok;         // Button
    bool toAll = false;                 // Button: `answer yes all`, `answer no all`
    std::vector<int> nodes;             // Nodes: the mesh nodes to check
    ControlDeviceChoice device;         // Device
    MotionCaptureChoice motionCapture;  // MotionCapture

    static ScriptedAnswer File(std::string path);
    static ScriptedAnswer Text(std::string text);
    static ScriptedAnswer Press(Button button, bool toAll = false);
    static ScriptedAnswer Nodes(std::vector<int> nodes);
    static ScriptedAnswer Device(int target, int device);
    static ScriptedAnswer MotionCapture(MotionCaptureChoice choice);
};

// A Ui without a window: answers each dialog from a queue of scripted answers and records
// every text it is shown, one line each:
//   "status: TEXT", "message: TEXT", "question: TEXT -> ANSWER", "unanswered: TEXT".
// A dialog whose kind of answer is not queued is cancelled. File and text answers serve file
// dialogs and text entries/list and combo choices; yes, no, ok and cancel serve the Yes/No and
// OK/Cancel boxes (yes and ok accept, no and cancel decline).
class ScriptedUi : public Ui {
  public:
    void Queue(ScriptedAnswer answer);
    std::size_t PendingAnswers() const;
    // Forgets every queued answer, so the next dialogs find none.
    void DropAnswers() { answers_.clear(); }

    // Every line so far, and an optional sink that sees each line as it is recorded.
    const std::vector<std::string>& Transcript() const { return transcript_; }
    void ClearTranscript() { transcript_.clear(); }
    void SetLineSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }

    // Every open and save dialog asked for, with its filter, in order.
    const std::vector<FileDialogRequest>& FileRequests() const { return fileRequests_; }

    bool TransformsSheetOpen() const { return transformsSheet_ != nullptr; }
    CTransformDlg* TransformsSheet() const { return transformsSheet_; }

    void SetStatusText(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    // Yes and ok answer Yes, no answers No, cancel (or no answer) Cancel.
    Reply AskYesNoCancel(const std::string& text) override;
    // `answer yes all` and `answer no all` answer for every one to come; yes, no, ok and cancel
    // for this one.
    ManyReply AskYesNoToAll(const std::string& text) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    // Takes a file answer: a folder is a path like any other.
    std::optional<std::string> AskFolder(const FileDialogRequest& request) override;
    std::optional<std::string> AskText(const TextRequest& request) override;
    std::optional<int> AskListChoice(const ListChoiceRequest& request) override;
    std::optional<std::string> AskComboChoice(const ComboChoiceRequest& request) override;
    std::optional<MeshNodeFlags> AskMeshNodes(const MeshNodesRequest& request) override;
    bool AskControlDevice(ControlDeviceChoice& choice) override;
    bool AskMotionCapture(MotionCaptureChoice& choice, int maxNameLength) override;
    // There is no event loop to tick in: playing is done at once by the caller.
    bool StartTicking(int intervalMs, std::function<void()> tick,
                      std::function<void()> escape) override;
    void StopTicking() override {}
    void ShowTransformsSheet(CTransformDlg& sheet) override;
    void CloseTransformsSheet() override;
    void ShowAbout(const std::string& text) override;

  private:
    std::optional<ScriptedAnswer> Take(ScriptedAnswer::Kind kind);
    std::optional<std::string> TakeText(const std::string& question);
    // A text answer cut to what an edit box of maxLength characters takes (0: no limit).
    std::optional<std::string> TakeLimitedText(const std::string& question, int maxLength);
    bool AskButtons(const std::string& text, const char* accept, const char* decline);
    void Record(std::string line);
    void Unanswered(const std::string& question);
    // The next file answer for a file or folder dialog titled so.
    std::optional<std::string> TakePath(const std::string& title);
    void Answered(const std::string& question, const std::string& answer);

    std::deque<ScriptedAnswer> answers_;
    std::vector<std::string> transcript_;
    std::vector<FileDialogRequest> fileRequests_;
    std::function<void(const std::string&)> sink_;
    CTransformDlg* transformsSheet_ = nullptr;
};

}  // namespace editor::shell

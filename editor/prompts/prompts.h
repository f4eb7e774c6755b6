#pragma once
// The one way the editor's libraries ask a person something. The shell's Ui implements it (the
// window with dialogs, the scripted Ui from a queue); a library takes a Prompts& and returns
// what became of its work, and the shell shows every message about it. A cancelled dialog
// returns nothing (or false), and the caller then ends its operation silently.

#include <optional>
#include <string>

#include "editor/prompts/requests.h"

namespace editor::prompts {

class Prompts {
  public:
    virtual ~Prompts() = default;

    // Yes/No message box; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // OK/Cancel message box; true for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;
    // Yes/No/Cancel message box (closing it is Cancel).
    virtual Reply AskYesNoCancel(const std::string& text) = 0;
    // A question asked once for each of many things (each bone of an export): Yes, No, or the
    // same answer for every one still to come. Without those buttons it is a Yes/No box.
    virtual ManyReply AskYesNoToAll(const std::string& text) {
        return AskYesNo(text) ? ManyReply::Yes : ManyReply::No;
    }

    // Open and save dialogs; the chosen path, or nothing when cancelled. A window's save
    // dialog confirms replacing an existing file whatever the flags say.
    virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;
    // A folder to write into (the request's title and initial path); nothing when cancelled.
    virtual std::optional<std::string> AskFolder(const FileDialogRequest& request) = 0;

    // One-line text entry; the text typed.
    virtual std::optional<std::string> AskText(const TextRequest& request) = 0;
    // Choice from a fixed list; the chosen index.
    virtual std::optional<int> AskListChoice(const ListChoiceRequest& request) = 0;
    // Editable combo box: a typed text or a listed one.
    virtual std::optional<std::string> AskComboChoice(const ComboChoiceRequest& request) = 0;

    // Progress of long or many-step work: the step being done, as one status line (the
    // frame's also goes to the log), and a bar of done out of total steps that EndProgress
    // takes away. These report work under way; what became of it is the caller's outcome.
    virtual void ReportProgress(const std::string& step) = 0;
    virtual void ShowProgress(int /*done*/, int /*total*/) {}
    virtual void EndProgress() {}
};

}  // namespace editor::prompts

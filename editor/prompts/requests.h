#pragma once
// What a question to the user is made of: every dialog is described by one record with named
// fields, so that two strings of the same type can never change places unnoticed.

#include <string>
#include <vector>

namespace editor::prompts {

// Flags of the open and save dialogs.
enum FileDialogFlags : unsigned {
    kFileMustExist = 1u << 0,
    kPathMustExist = 1u << 1,
    kHideReadOnly = 1u << 2,
    kOverwritePrompt = 1u << 3,
    // An open dialog for a file that is there.
    kOpenExisting = kFileMustExist | kPathMustExist | kHideReadOnly,
};

// An open, save or folder dialog.
struct FileDialogRequest {
    // Dialog title; empty gives the usual "Open", "Save As" or "Choose Folder".
    std::string title = {};
    // Filter in the framework form "Description|*.ext|Description|*.a;*.b||".
    std::string filter = {};
    // Appended when the user types a name without one; without the dot ("spz").
    std::string defaultExtension = {};
    // Initial file name or path shown in the dialog.
    std::string initialPath = {};
    unsigned flags = kHideReadOnly;
};

// A one-line text entry with OK and Cancel.
struct TextRequest {
    std::string title = {};
    std::string initialText = {};
    // Most characters the user may type; 0 for no limit.
    int maxLength = 0;
};

// A choice from a fixed list.
struct ListChoiceRequest {
    std::string title = {};
    std::vector<std::string> items = {};
    // Item selected when the dialog opens; -1 for none.
    int initialIndex = 0;
};

// An editable combo box: a listed entry or a typed text.
struct ComboChoiceRequest {
    std::string title = {};
    std::vector<std::string> items = {};
    // Text in the edit field when the dialog opens (usually the first item).
    std::string initialText = {};
    int maxLength = 0;
};

// The combo choice that starts on the first entry, the usual way to offer names.
inline ComboChoiceRequest FirstEntryChoice(const std::string& title,
                                           const std::vector<std::string>& items, int maxLength) {
    return ComboChoiceRequest{title, items, items.empty() ? std::string() : items.front(),
                              maxLength};
}

// Answers of the Yes/No/Cancel box and of the question asked once per item with "to All".
enum class Reply { Yes, No, Cancel };
enum class ManyReply { Yes, No, YesToAll, NoToAll };

}  // namespace editor::prompts

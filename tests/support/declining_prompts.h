#pragma once
// Prompts that decline everything: test doubles derive from it and answer only the questions
// their test is about.

#include "editor/prompts/prompts.h"

class DecliningPrompts : public ::editor::prompts::Prompts {
  public:
    using FileDialogRequest = ::editor::prompts::FileDialogRequest;
    using TextRequest = ::editor::prompts::TextRequest;
    using ListChoiceRequest = ::editor::prompts::ListChoiceRequest;
    using ComboChoiceRequest = ::editor::prompts::ComboChoiceRequest;
    using Reply = ::editor::prompts::Reply;

    bool AskYesNo(const std::string&) override { return false; }
    bool AskOkCancel(const std::string&) override { return false; }
    Reply AskYesNoCancel(const std::string&) override { return Reply::Cancel; }
    std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> AskFolder(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> AskText(const TextRequest&) override { return {}; }
    std::optional<int> AskListChoice(const ListChoiceRequest&) override { return {}; }
    std::optional<std::string> AskComboChoice(const ComboChoiceRequest&) override { return {}; }
    void ReportProgress(const std::string&) override {}
};

#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/prompts/prompts.h"

using namespace ::editor::prompts;

// Answers the skeleton's questions from queues and records everything it was shown.
class ScriptedPrompts : public Prompts {
  public:
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<bool> yesNoAnswers;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> statuses;
    std::vector<std::string> offeredChoices;
    std::string lastFilter;

    void ReportProgress(const std::string& text) override { statuses.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        bool answer = !yesNoAnswers.empty() && yesNoAnswers.front();
        if (!yesNoAnswers.empty()) {
            yesNoAnswers.pop_front();
        }
        return answer;
    }
    bool AskOkCancel(const std::string& text) override { return AskYesNo(text); }
    Reply AskYesNoCancel(const std::string& text) override {
        return AskYesNo(text) ? Reply::Yes : Reply::No;
    }
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override {
        lastFilter = request.filter;
        return Next(fileAnswers);
    }
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override {
        lastFilter = request.filter;
        return Next(fileAnswers);
    }
    std::optional<std::string> AskFolder(const FileDialogRequest& request) override {
        return AskSaveFile(request);
    }
    std::optional<std::string> AskText(const TextRequest& request) override {
        questions.push_back(request.title);
        return Next(textAnswers);
    }
    std::optional<int> AskListChoice(const ListChoiceRequest& request) override {
        questions.push_back(request.title);
        return std::nullopt;
    }
    std::optional<std::string> AskComboChoice(const ComboChoiceRequest& request) override {
        questions.push_back(request.title);
        offeredChoices = request.items;
        return Next(textAnswers);
    }

  private:
    static std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue) {
        if (queue.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "editor/skeleton/skeleton_prompts.h"

using namespace ::editor::skeleton;

// Answers the skeleton's questions from queues and records everything it was shown.
class ScriptedPrompts : public SkeletonPrompts {
  public:
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<bool> yesNoAnswers;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> statuses;
    std::vector<std::string> offeredChoices;
    std::string lastFilter;

    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        bool answer = !yesNoAnswers.empty() && yesNoAnswers.front();
        if (!yesNoAnswers.empty()) {
            yesNoAnswers.pop_front();
        }
        return answer;
    }
    std::optional<std::string> AskOpenFile(const std::string&, const std::string& filter,
                                           const std::string&) override {
        lastFilter = filter;
        return Next(fileAnswers);
    }
    std::optional<std::string> AskSaveFile(const std::string&, const std::string& filter,
                                           const std::string&) override {
        lastFilter = filter;
        return Next(fileAnswers);
    }
    std::optional<std::string> AskText(const std::string& title, int) override {
        questions.push_back(title);
        return Next(textAnswers);
    }
    std::optional<std::string> ChooseOrType(const std::string& title,
                                            const std::vector<std::string>& entries, int) override {
        questions.push_back(title);
        offeredChoices = entries;
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

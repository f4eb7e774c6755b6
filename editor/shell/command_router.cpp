#include "editor/shell/command_router.h"

#include "editor/shell/command_table.h"

namespace editor::shell {

bool CommandRouter::Bind(int id, CommandHandler handler) {
    if (FindCommand(id) == nullptr || !handler.run) {
        return false;
    }
    handlers_[id] = std::move(handler);
    return true;
}

const CommandHandler* CommandRouter::Find(int id) const {
    auto it = handlers_.find(id);
    return it == handlers_.end() ? nullptr : &it->second;
}

bool CommandRouter::IsBound(int id) const {
    return Find(id) != nullptr;
}

bool CommandRouter::IsEnabled(int id) const {
    const CommandHandler* handler = Find(id);
    if (handler == nullptr) {
        return false;
    }
    return !handler->isEnabled || handler->isEnabled();
}

bool CommandRouter::IsChecked(int id) const {
    const CommandHandler* handler = Find(id);
    return handler != nullptr && handler->isChecked && handler->isChecked();
}

std::optional<std::string> CommandRouter::MenuText(int id) const {
    const CommandHandler* handler = Find(id);
    if (handler == nullptr || !handler->menuText) {
        return std::nullopt;
    }
    return handler->menuText();
}

bool CommandRouter::Run(int id) {
    if (!IsEnabled(id)) {
        return false;
    }
    // Copy the function: a handler may rebind commands while it runs.
    std::function<void()> run = Find(id)->run;
    if (wrapper_) {
        wrapper_(id, run);
    } else {
        run();
    }
    return true;
}

void BindToggle(CommandRouter& router, int id, std::function<void()> toggle,
                std::function<bool()> isOn) {
    router.Bind(id, {.run = std::move(toggle), .isChecked = std::move(isOn)});
}

}  // namespace editor::shell

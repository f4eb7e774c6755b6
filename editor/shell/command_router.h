#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace editor::shell {

// Behaviour bound to a command of the table. Each area of the editor binds its own commands
// in one registration function (see command_registration.cpp).
struct CommandHandler {
    std::function<void()> run = {};
    // Empty: always enabled while bound.
    std::function<bool()> isEnabled = {};
    // Empty: no check mark.
    std::function<bool()> isChecked = {};
    // Empty: the table's menu text; else the text the menu shows now ("&Undo Bind to Bone").
    std::function<std::string()> menuText = {};
};

// Runs a command's handler; a frame installs one to make every command one undo step.
using CommandRunWrapper = std::function<void(int id, const std::function<void()>& run)>;

// Routes commands to their handlers and answers the menu's update questions. A command
// without a handler is disabled and refuses to run, like an unhandled menu item.
class CommandRouter {
  public:
    // Binds a handler to a command of the table; false (and nothing bound) for an id the
    // table does not know or a handler without a run function. A later binding replaces an
    // earlier one.
    bool Bind(int id, CommandHandler handler);

    bool IsBound(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;
    // The text the command's menu item shows now; none when the table's text stays.
    std::optional<std::string> MenuText(int id) const;
    // Every command run from then on runs through wrapper.
    void SetRunWrapper(CommandRunWrapper wrapper) { wrapper_ = std::move(wrapper); }

    // Runs the command when it is enabled; false when it is unknown, unbound or disabled.
    bool Run(int id);

  private:
    const CommandHandler* Find(int id) const;

    std::map<int, CommandHandler> handlers_;
    CommandRunWrapper wrapper_;
};

// Binds a command to a member function of the area object that keeps the command's state; the
// handler shares ownership of the area.
template <class Area>
void BindAreaCommand(CommandRouter& router, int id, const std::shared_ptr<Area>& area,
                     void (Area::*command)()) {
    router.Bind(id, {.run = [area, command] { ((*area).*command)(); }});
}

// Binds a command with a check mark, an option switched on and off: running it calls toggle
// and the mark shows isOn. Every check-mark command is bound through here or BindFlagToggle.
void BindToggle(CommandRouter& router, int id, std::function<void()> toggle,
                std::function<bool()> isOn);

// The plainest toggle: the command flips a flag its check mark shows; after, when given, runs
// after each flip (to redraw, or to say what the option does not do yet).
template <typename Flag>
void BindFlagToggle(CommandRouter& router, int id, Flag& flag, std::function<void()> after = {}) {
    BindToggle(
        router, id,
        [&flag, after = std::move(after)] {
            flag = flag ? 0 : 1;
            if (after) {
                after();
            }
        },
        [&flag] { return flag != 0; });
}

}  // namespace editor::shell

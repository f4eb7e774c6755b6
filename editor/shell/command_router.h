#pragma once

#include <functional>
#include <map>
#include <memory>

namespace editor::shell {

// Behaviour bound to a command of the table. Each area of the editor binds its own commands
// in one registration function (see command_registration.cpp).
struct CommandHandler {
    std::function<void()> run = {};
    // Empty: always enabled while bound.
    std::function<bool()> isEnabled = {};
    // Empty: no check mark.
    std::function<bool()> isChecked = {};
};

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

    // Runs the command when it is enabled; false when it is unknown, unbound or disabled.
    bool Run(int id);

  private:
    const CommandHandler* Find(int id) const;

    std::map<int, CommandHandler> handlers_;
};

// Binds a command to a member function of the area object that keeps the command's state; the
// handler shares ownership of the area.
template <class Area>
void BindAreaCommand(CommandRouter& router, int id, const std::shared_ptr<Area>& area,
                     void (Area::*command)()) {
    router.Bind(id, {.run = [area, command] { ((*area).*command)(); }});
}

}  // namespace editor::shell

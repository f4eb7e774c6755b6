#pragma once
// Where an outcome of the editor's libraries becomes what the user sees: a refused operation's
// reason is shown in a message box; a cancelled one ends silently.

#include "bytes/result.h"

namespace editor::shell {

using namespace ::bytes;

class Ui;

// Shows the message of a refused status; true when the status is success.
bool Succeeded(Ui& ui, const Status& status);

template <typename T>
bool Succeeded(Ui& ui, const Result<T>& result) {
    return Succeeded(ui, result.GetStatus());
}

}  // namespace editor::shell

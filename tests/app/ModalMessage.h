#pragma once

#include <QString>

#include <functional>
#include <optional>

// Runs an action that is expected to show a modal message box, dismisses the
// box and returns its text; nothing when no box appeared.
std::optional<QString> messageShownBy(const std::function<void()> &action);

#pragma once

namespace kx {

// The icon of a message box. A value the deciding layer hands back with a
// refusal; the prompter shows it.
enum class PromptIcon
{
    None,
    Information,
    Warning,
    Error,
    Question,
};

} // namespace kx

#pragma once

#include "base/Prompter.h"

class QWidget;

namespace kx {

// The program's prompter: modal Qt message boxes over the active dialog. Results
// and refusals have OK only; questions have OK and Cancel with Cancel the default,
// and anything but OK (Cancel, Escape, closing the box) cancels.
// UI thread only: called from any other thread it shows nothing and cancels.
class MessageBoxPrompter : public Prompter
{
public:
    void message(const QString& text, PromptIcon icon = PromptIcon::Warning) override;
    bool question(const QString& text, PromptIcon icon = PromptIcon::Question) override;

    // The window the boxes belong to: the active modal dialog, else the active window.
    static QWidget* OwnerWindow();
};

} // namespace kx

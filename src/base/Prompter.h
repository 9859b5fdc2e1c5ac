#pragma once

#include "base/PromptIcon.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <mutex>
#include <optional>

namespace kx {

// Every message box of the program goes through the installed prompter: Qt
// message boxes in the program, a recorder with scripted answers in tests.
// Only the UI thread prompts.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A refusal or a result: OK only.
    virtual void message(const QString& text, PromptIcon icon = PromptIcon::Warning) = 0;

    // A question: OK and Cancel, Cancel the default. True only when the user chose OK.
    virtual bool question(const QString& text, PromptIcon icon = PromptIcon::Question) = 0;
};

// The installed prompter; a RecordingPrompter that answers Cancel until one is installed.
Prompter& GetPrompter();
// Installs `prompter` (not owned) and returns the previous one; nullptr restores the default.
Prompter* InstallPrompter(Prompter* prompter);

// Keeps every text shown, in order, and answers questions from a script
// (Cancel when the script is empty).
class RecordingPrompter : public Prompter
{
public:
    struct Entry
    {
        QString text;
        PromptIcon icon;
        bool isQuestion;
        bool answer;
    };

    void message(const QString& text, PromptIcon icon = PromptIcon::Warning) override;
    bool question(const QString& text, PromptIcon icon = PromptIcon::Question) override;

    // Queue the answers of the next questions: true = OK, false = Cancel.
    void answerNext(bool ok);
    // The answer of every question the queue does not answer (none: Cancel).
    void answerAlways(std::optional<bool> ok);

    QStringList texts() const;
    std::deque<Entry> entries() const;
    QString last() const;
    void clear();

private:
    mutable std::mutex m_mutex;
    std::deque<Entry> m_entries;
    std::deque<bool> m_answers;
    std::optional<bool> m_always;
};

// Installs a prompter for the lifetime of the guard.
class ScopedPrompter
{
public:
    explicit ScopedPrompter(Prompter* prompter) : m_previous(InstallPrompter(prompter)) {}
    ~ScopedPrompter() { InstallPrompter(m_previous); }
    ScopedPrompter(const ScopedPrompter&) = delete;
    ScopedPrompter& operator=(const ScopedPrompter&) = delete;

private:
    Prompter* m_previous;
};

} // namespace kx

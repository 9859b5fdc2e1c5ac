#include "base/Prompter.h"

#include <atomic>

namespace kx {

namespace {

RecordingPrompter& DefaultPrompter()
{
    static RecordingPrompter prompter;
    return prompter;
}

std::atomic<Prompter*> g_prompter{nullptr};

} // namespace

Prompter& GetPrompter()
{
    Prompter* p = g_prompter.load();
    return p ? *p : DefaultPrompter();
}

Prompter* InstallPrompter(Prompter* prompter)
{
    return g_prompter.exchange(prompter);
}

void RecordingPrompter::message(const QString& text, PromptIcon icon)
{
    std::lock_guard lock(m_mutex);
    m_entries.push_back({text, icon, false, true});
}

bool RecordingPrompter::question(const QString& text, PromptIcon icon)
{
    std::lock_guard lock(m_mutex);
    bool answer = m_always.value_or(false);
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    m_entries.push_back({text, icon, true, answer});
    return answer;
}

void RecordingPrompter::answerAlways(std::optional<bool> ok)
{
    std::lock_guard lock(m_mutex);
    m_always = ok;
}

void RecordingPrompter::answerNext(bool ok)
{
    std::lock_guard lock(m_mutex);
    m_answers.push_back(ok);
}

QStringList RecordingPrompter::texts() const
{
    std::lock_guard lock(m_mutex);
    QStringList out;
    for (const Entry& e : m_entries)
        out << e.text;
    return out;
}

std::deque<RecordingPrompter::Entry> RecordingPrompter::entries() const
{
    std::lock_guard lock(m_mutex);
    return m_entries;
}

QString RecordingPrompter::last() const
{
    std::lock_guard lock(m_mutex);
    return m_entries.empty() ? QString() : m_entries.back().text;
}

void RecordingPrompter::clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
    m_answers.clear();
    m_always.reset();
}

} // namespace kx

#include "Console.h"

namespace {
constexpr int nameColumn = 60;
}

void Console::closeLine()
{
    if (m_itemOpen) {
        std::fputc('\n', m_out);
        m_percentShown = false;
    }
}

void Console::line(const std::string &text)
{
    closeLine();
    m_itemOpen = false;
    std::fprintf(m_out, "%s\n", text.c_str());
    std::fflush(m_out);
}

void Console::error(const std::string &text)
{
    closeLine();
    const bool reopen = m_itemOpen;
    m_itemOpen = false;
    std::fflush(m_out);
    std::fprintf(m_err, "%s\n", text.c_str());
    std::fflush(m_err);
    if (reopen) {
        // The item goes on after the message: show it again before further progress.
        std::fprintf(m_out, "...         %s", m_itemPath.c_str());
        m_itemOpen = true;
    }
}

void Console::volume(const std::string &path)
{
    const bool reopen = m_itemOpen;
    closeLine();
    std::fprintf(m_out, "\nExtracting from %s\n\n", path.c_str());
    if (reopen)
        std::fprintf(m_out, "...         %s", m_itemPath.c_str());
    std::fflush(m_out);
}

void Console::beginItem(const std::string &verb, const std::string &path)
{
    closeLine();
    m_itemPath = path;
    std::string head = verb;
    head.resize(12, ' ');
    head += path;
    if (head.size() < nameColumn)
        head.resize(nameColumn, ' ');
    std::fprintf(m_out, "%s", head.c_str());
    std::fflush(m_out);
    m_itemOpen = true;
    m_percentShown = false;
}

void Console::progress(int percent)
{
    if (!m_itemOpen || (m_percentShown && percent == m_percent))
        return;
    // Always a blank before the number: readers take the text after the last blank in front of '%'.
    std::fprintf(m_out, "%s %3d%%", m_percentShown ? "\b\b\b\b\b" : "", percent);
    std::fflush(m_out);
    m_percent = percent;
    m_percentShown = true;
}

void Console::endItem(const std::string &status)
{
    if (!m_itemOpen)
        std::fprintf(m_out, "...         %s", m_itemPath.c_str());
    std::fprintf(m_out, "%s  %s\n", m_percentShown ? "\b\b\b\b\b" : "", status.c_str());
    std::fflush(m_out);
    m_itemOpen = false;
    m_percentShown = false;
}

#include "Console.h"

#include <cstdio>

namespace {
constexpr int nameColumn = 60;

void appendEscaped(std::string &out, unsigned value)
{
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", value);
    out += escaped;
}
} // namespace

std::string Console::printable(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c < 0x20 || c == 0x7F) {
            appendEscaped(out, c);
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) { // U+0080..U+009F in UTF-8
            appendEscaped(out, next);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void Console::text(const std::string &text)
{
    closeLine();
    m_itemOpen = false;
    std::fprintf(m_out, "%s\n", text.c_str());
    std::fflush(m_out);
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
    this->text(printable(text));
}

void Console::error(const std::string &text)
{
    closeLine();
    const bool reopen = m_itemOpen;
    m_itemOpen = false;
    std::fflush(m_out);
    std::fprintf(m_err, "%s\n", printable(text).c_str());
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
    std::fprintf(m_out, "\nExtracting from %s\n\n", printable(path).c_str());
    if (reopen)
        std::fprintf(m_out, "...         %s", m_itemPath.c_str());
    std::fflush(m_out);
}

void Console::beginItem(const std::string &verb, const std::string &path)
{
    closeLine();
    m_itemPath = printable(path);
    std::string head = verb;
    head.resize(12, ' ');
    head += m_itemPath;
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

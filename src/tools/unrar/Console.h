#ifndef CONSOLE_H
#define CONSOLE_H

#include <cstdio>
#include <string>

// The program's output. Front ends read it line by line, so its shape is kept stable:
//   "Extracting from <volume path>"        one line for every volume opened, on a line of its own
//   "Extracting  <file>   45%"             one line per file; the percentage (of the whole
//                                          volume set) is rewritten in place with backspaces
//   "All OK"                               the last line of a run without any error
// Errors go to standard error, after standard output has been flushed, so that a merged
// stream keeps their order.
class Console
{
public:
    explicit Console(std::FILE *out = stdout, std::FILE *err = stderr) : m_out(out), m_err(err) {}

    void line(const std::string &text);
    void error(const std::string &text);
    void volume(const std::string &path);
    void beginItem(const std::string &verb, const std::string &path);
    void progress(int percent);
    void endItem(const std::string &status);

private:
    void closeLine();

    std::FILE *m_out;
    std::FILE *m_err;
    bool m_itemOpen = false;
    bool m_percentShown = false;
    int m_percent = -1;
    std::string m_itemPath;
};

#endif // CONSOLE_H

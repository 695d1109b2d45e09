#ifndef CONSOLE_H
#define CONSOLE_H

#include <cstdio>
#include <string>

// The program's output. Front ends read it line by line, so its shape is kept stable:
//   "Extracting from <volume path>"        one line for every volume read as one of the set,
//                                          on a line of its own
//   "Extracting  <file>   45%"             one line per file; the percentage (of the whole
//                                          volume set) is rewritten in place with backspaces
//   "All OK"                               the last line of a run without any error
// Errors go to standard error, after standard output has been flushed, so that a merged
// stream keeps their order.
//
// Every text but that of text() is one line: control characters in it (a name can hold line
// breaks) are written escaped as \xNN, so that no name can make a line of its own.
class Console
{
public:
    explicit Console(std::FILE *out = stdout, std::FILE *err = stderr) : m_out(out), m_err(err) {}

    // `text` with every control character (C0, DEL, C1) written as \xNN.
    static std::string printable(const std::string &text);

    // The program's own fixed texts (banner, usage), written as they are.
    void text(const std::string &text);
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

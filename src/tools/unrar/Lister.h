#ifndef LISTER_H
#define LISTER_H

#include <string>

class Console;
struct FileBlock;

// Lists the files of an archive and of the volumes that follow it, without extracting.
// An encrypted file's listing begins with '*'; archives whose headers cannot be read without
// the right password say "wrong password".
class Lister
{
public:
    Lister(std::string path, const std::string *password, Console &console);
    int run(bool technical);

private:
    void printFile(const FileBlock &file, bool technical);

    std::string m_path;
    const std::string *m_password;
    Console &m_console;
};

#endif // LISTER_H

#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <string>
#include <vector>

// unrar <command> [-switch...] <archive> [<destination folder>]
//   commands: x (extract with paths), e (extract without paths), t (test), l/v (list),
//             lt/vt (technical list)
//   switches: -p<password>, -p- (never ask for a password), -y (yes to all: overwrite),
//             -o+ / -o- (overwrite / keep existing files), -or (keep existing files and
//             extract under a free name "name (n).ext"), -kb (keep broken files),
//             -c- (no comments), -id... (message switches, accepted), -- (end of switches)
struct CommandLine
{
    enum class Command { Extract, ExtractFlat, Test, List, ListTechnical };

    Command command = Command::Extract;
    std::string archive;
    std::string destination;
    bool hasPassword = false;
    std::string password;
    bool keepBroken = false;
    bool overwrite = false;
    bool renameExisting = false;
    std::string error;          // not empty: the command line is wrong

    static CommandLine parse(const std::vector<std::string> &arguments);
    static const char *usage();
};

#endif // COMMANDLINE_H

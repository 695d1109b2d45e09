#include "CommandLine.h"

#include <cctype>

namespace {

std::string lowered(const std::string &s)
{
    std::string out;
    for (char c : s)
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool parseCommand(const std::string &word, CommandLine::Command &command)
{
    const std::string w = lowered(word);
    if (w == "x")
        command = CommandLine::Command::Extract;
    else if (w == "e")
        command = CommandLine::Command::ExtractFlat;
    else if (w == "t")
        command = CommandLine::Command::Test;
    else if (w == "l" || w == "v")
        command = CommandLine::Command::List;
    else if (w == "lt" || w == "vt")
        command = CommandLine::Command::ListTechnical;
    else
        return false;
    return true;
}

// Applies one switch (without its '-'); false when it is unknown.
bool applySwitch(const std::string &body, CommandLine &line)
{
    const std::string lower = lowered(body);
    if (lower == "p-") {
        line.hasPassword = false;
    } else if (!body.empty() && (body[0] == 'p' || body[0] == 'P')) {
        line.password = body.substr(1);
        line.hasPassword = !line.password.empty();
    } else if (lower == "y" || lower == "o+") {
        line.overwrite = true;
        line.renameExisting = false;
    } else if (lower == "o-") {
        line.overwrite = false;
        line.renameExisting = false;
    } else if (lower == "or") {
        line.overwrite = false;
        line.renameExisting = true;
    } else if (lower == "kb") {
        line.keepBroken = true;
    } else if (lower == "c-" || lower.compare(0, 2, "id") == 0 || lower == "inul") {
        // Comments are never shown and messages are always complete: nothing to do.
    } else {
        return false;
    }
    return true;
}

} // namespace

CommandLine CommandLine::parse(const std::vector<std::string> &arguments)
{
    CommandLine line;
    std::vector<std::string> positional;
    bool switches = true;
    for (const std::string &argument : arguments) {
        if (switches && argument == "--") {
            switches = false;
        } else if (switches && argument.size() > 1 && argument[0] == '-') {
            if (!applySwitch(argument.substr(1), line)) {
                line.error = "unknown switch " + argument;
                return line;
            }
        } else {
            positional.push_back(argument);
        }
    }
    if (positional.empty()) {
        line.error = "no command given";
    } else if (!parseCommand(positional[0], line.command)) {
        line.error = "unknown command " + positional[0];
    } else if (positional.size() < 2) {
        line.error = "no archive given";
    } else if (positional.size() > 3) {
        line.error = "too many arguments: file masks are not supported";
    } else {
        line.archive = positional[1];
        if (positional.size() == 3)
            line.destination = positional[2];
    }
    return line;
}

const char *CommandLine::usage()
{
    return "Usage: unrar <command> [-<switch>...] <archive> [<destination folder>]\n"
           "\n"
           "Commands:\n"
           "  x     extract files with their paths\n"
           "  e     extract files into the destination folder, without paths\n"
           "  t     test the archive: decompress and check every file\n"
           "  l, v  list the files\n"
           "  lt    list the files with technical details\n"
           "\n"
           "Switches:\n"
           "  -p<password>  use this password     -p-  never ask for a password\n"
           "  -y, -o+       overwrite existing files  -o-  keep existing files\n"
           "  -or           keep existing files, extract under a free name \"name (n).ext\"\n"
           "  -kb           keep files that turn out broken (deleted otherwise)\n"
           "  -c-           do not show comments\n"
           "\n"
           "Exit codes: 0 success, 1 warning (an entry skipped: an existing file kept, or a link\n"
           "leading outside the destination, a hard link to a file not extracted, a special file),\n"
           "2 fatal error or unsupported archive, 3 checksum error (damaged data), 5 write error,\n"
           "6 archive or volume missing, 7 wrong command line, 9 cannot create a file,\n"
           "11 wrong or missing password.\n";
}

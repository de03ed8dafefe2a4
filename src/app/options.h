#pragma once

#include <string>
#include <string_view>

// The options a start may begin with, decided from the raw arguments before
// anything else runs: no folder is made, no running copy is reached and no
// library beyond the C++ one is needed, so a copy that only prints ends at
// once.
namespace options {

enum class Action {
    Run,      // no option: the arguments are the command line
    Help,     // print `text` to standard output, exit 0
    Version,  // print `text` to standard output, exit 0
    Unknown,  // print `text` to standard error, exit 2
};

struct Decision {
    Action action = Action::Run;
    std::string text;
    // With Run: the first argument that belongs to the command line ("--"
    // ends the options, so a list whose name begins with "--" stays
    // reachable).
    int firstWord = 1;
};

// Only the first argument is an option: the rest of a command line such as
// "/r /ls --all" belongs to the command it starts.
Decision decide(int argc, const char* const* argv, std::string_view version);

// The exit code of a decision that ends the start.
int exitCode(Action action);

}  // namespace options

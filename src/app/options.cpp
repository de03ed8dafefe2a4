#include "app/options.h"

namespace options {

namespace {

constexpr std::string_view kHelp =
    "Usage: brennomix [word]\n"
    "       brennomix --help | --version\n"
    "\n"
    "Keyboard-first program launcher for your own lists. Only one copy runs:\n"
    "a later start hands its word to the running copy and ends.\n"
    "\n"
    "Words (the whole command line is one word):\n"
    "  (none)        show the running window (or hide it, with \"Hide when called\")\n"
    "  stem          open the list kept in stem.ini (\"mtools\" opens \"tools\")\n"
    "  /digits       run entries by position (/3 runs entry 3; 0 is entry 10)\n"
    "  /search       search the file index of your folders\n"
    "  /rescan       rebuild the file index\n"
    "  /hide         show the window where the pointer is, then hide it\n"
    "  /lock         lock the screen\n"
    "  /showdesktop  hide the desktop icons and minimise all windows\n"
    "  /r /command   start command as a new process and show the launcher\n"
    "  /install      create the menu entry with a keyboard shortcut\n"
    "  /resident     start resident in the notification area\n"
    "  /quit         end the running copy\n"
    "  -- word       take word as it stands, even when it begins with \"--\"\n"
    "\n"
    "Options:\n"
    "  --help        print this help and exit\n"
    "  --version     print the version and exit\n"
    "\n"
    "Files, in the program folder ($BRENNOMIX_HOME; else the executable's\n"
    "folder when it holds Brennomix.ini; else $XDG_CONFIG_HOME/brennomix):\n"
    "  Brennomix.ini   the top list\n"
    "  mNAME.ini       the list NAME\n"
    "  Brennomix.cfg   the settings\n"
    "  FsSearch.txt    the cached file index\n"
    "\n"
    "See brennomix(1) for the keys and the file formats.\n";

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

Decision decide(int argc, const char* const* argv, std::string_view version) {
    Decision d;
    if (argc < 2 || argv[1] == nullptr) return d;
    const std::string_view first = argv[1];
    if (first == "--") {
        d.firstWord = 2;
    } else if (first == "--help") {
        d.action = Action::Help;
        d.text = kHelp;
    } else if (first == "--version") {
        d.action = Action::Version;
        d.text = "brennomix " + std::string(version) + "\n";
    } else if (startsWith(first, "--")) {
        d.action = Action::Unknown;
        d.text = "brennomix: unknown option '" + std::string(first) +
                 "'\nTry 'brennomix --help' for the words and options.\n";
    }
    return d;
}

int exitCode(Action action) {
    switch (action) {
        case Action::Run:
        case Action::Help:
        case Action::Version:
            return 0;
        case Action::Unknown:
            break;
    }
    return 2;
}

}  // namespace options

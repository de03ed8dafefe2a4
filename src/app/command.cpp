#include "app/command.h"

namespace command {

bool changesList(Command c) {
    switch (c) {
        case Command::Save:
        case Command::Drop:
        case Command::Paste:
        case Command::NewSublist:
        case Command::Rename:
        case Command::SetColor:
        case Command::Bold:
        case Command::EditArguments:
        case Command::Delete:
        case Command::Cut:
        case Command::MoveUp:
        case Command::MoveDown:
        case Command::BrowseForEntry:
        case Command::AddFromFile:
        case Command::EditMode:
        case Command::EditListFile:
        case Command::AskSave:
            return true;
        default:
            return false;
    }
}

std::optional<Command> fromWord(const QString& word) {
    if (word == u"quit") return Command::Quit;
    const QString lower = word.toLower();
    if (lower == u"/showdesktop") return Command::ShowDesktop;
    if (lower == u"/rescan") return Command::RefreshIndex;
    if (lower == u"/search") return Command::FileSystemSearch;
    return std::nullopt;
}

std::optional<QString> runPrefixRest(const QString& word) {
    // The rest is taken from the fifth character on wherever the prefix
    // stands, as the word has always been read.
    if (!word.toLower().contains(u"/r /")) return std::nullopt;
    return word.mid(4);
}

}  // namespace command

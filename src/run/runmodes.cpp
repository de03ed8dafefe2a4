#include "run/runmodes.h"

namespace runmodes {

RunNext afterStart(bool sublist, int shellCode, bool listEditable) {
    if (sublist) return RunNext::OpenSublist;
    if (shellCode != kNotFound) return RunNext::Close;
    return listEditable ? RunNext::AskBrowse : RunNext::NotFound;
}

bool closesAfter(RunNext next, int modifier, bool stayOpen) {
    return next == RunNext::Close && modifier < 1 && !stayOpen;
}

}  // namespace runmodes

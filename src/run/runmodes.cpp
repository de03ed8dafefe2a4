#include "run/runmodes.h"

namespace runmodes {

RunNext afterStart(bool sublist, int shellCode, bool listEditable) {
    if (sublist) return RunNext::OpenSublist;
    if (shellCode != kNotFound) return RunNext::Close;
    return listEditable ? RunNext::AskBrowse : RunNext::NotFound;
}

}  // namespace runmodes

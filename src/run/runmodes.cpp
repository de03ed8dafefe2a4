#include "run/runmodes.h"

namespace runmodes {

RunNext afterRun(const RunFacts& f) {
    if (f.sublist) return RunNext::OpenSublist;
    if (f.shellCode == kNotFound) return f.listEditable ? RunNext::AskBrowse : RunNext::NotFound;
    return f.keepOpen ? RunNext::Stay : RunNext::Close;
}

}  // namespace runmodes

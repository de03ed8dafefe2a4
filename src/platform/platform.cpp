#include "platform/dialogs.h"
#include "platform/platform.h"

Platform::~Platform() = default;
Dialogs::~Dialogs() = default;

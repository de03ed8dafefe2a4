#include "platform/platform.h"
#include "platform/dialogs.h"

Platform::~Platform() = default;
Dialogs::~Dialogs() = default;

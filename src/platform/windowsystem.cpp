#include "platform/windowsystem.h"

WindowSystem::~WindowSystem() = default;

#include "framework/platform.h"

#include <shellapi.h>

PlatformCalls Platform = {MessageBoxA, ShellExecuteA};

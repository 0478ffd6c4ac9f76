#pragma once

#include "text/text_services.h"

// Text services for the system's active ANSI code page.
const TextServices& SystemTextServices();

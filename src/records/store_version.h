// The version text that the settings file records for a store of this program's format:
// "wkb_v" and the release number of the build's configuration ("wkb_v2.5.0").
#pragma once

#include "core/build_config.h"

#define CURRENT_VERSION "wkb_v" WKB_VERSION

// The version text that the settings file records for a store of this program's format.
#pragma once

#define CURRENT_VERSION "wkb_v2.5.0"

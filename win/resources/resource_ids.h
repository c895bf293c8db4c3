// Ids of the resources in ondrix.rc, shared with the code that loads them.
#pragma once

#define IDI_ONDRIX 1

// An event without parameters that hosts can subscribe to; declared in the public interface.
#pragma once

#include "vk_lp_08/ereignis.h"

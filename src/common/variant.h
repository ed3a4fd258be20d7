// Variant: the automation value type; declared in the public interface.
#pragma once

#include "vk_lp_08/variant.h"

// The e-invoice of a priced invoice; declared in the public interface.
#pragma once

#include "vk_lp_08/erechnung.h"

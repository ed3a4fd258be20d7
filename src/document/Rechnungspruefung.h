// Proving an invoice before it is sent; declared in the public interface.
#pragma once

#include "vk_lp_08/pruefung.h"

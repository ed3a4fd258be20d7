// Class VK: the component object a host creates; declared in the public interface.
#pragma once

#include "platform/dao/recordset.h"
#include "vk_lp_08/vk.h"

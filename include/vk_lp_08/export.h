// What the shared library exports: everything else in it is hidden.
#pragma once

#define VK_API __attribute__((visibility("default")))

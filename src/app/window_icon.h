// The window's icons, as _NET_WM_ICON wants them: for each size, its width,
// its height, then its ARGB pixels row by row.
#pragma once

#include <cstdint>

constexpr std::uint32_t kWindowIcon[] = {
#include "app/window_icon.inc"
};

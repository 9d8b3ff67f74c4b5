#pragma once

#include <cstdint>

// A colour as 0xRRGGBB, the way people write colours and Qt's QRgb holds them (less alpha).
using Rgb = std::uint32_t;

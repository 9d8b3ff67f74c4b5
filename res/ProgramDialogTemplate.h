#pragma once

#include "res/ControlIds.h"

// Dialog template 103, in dialog units: a fixed-size dialog with caption and close box.
namespace ProgramDialogTemplate {

inline constexpr int kWidth = 230;
inline constexpr int kHeight = 165;
inline constexpr char kTitle[] = "Program";

struct Button {
    int id;
    const char* text;
    int x, y, width, height;
    bool isDefault;
};

// In tab order.
inline constexpr Button kButtons[] = {
    {ControlIds::kStart, "Start", 7, 25, 50, 14, true},
    {ControlIds::kCancel, "Done", 173, 25, 50, 14, false},
};

}  // namespace ProgramDialogTemplate

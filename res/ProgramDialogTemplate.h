#pragma once

#include <QtGlobal>

// Dialog template 103, in dialog units: a fixed-size dialog with caption and close box.
namespace ProgramDialogTemplate {

inline constexpr int kWidth = 230;
inline constexpr int kHeight = 165;
// The texts are translated where they are shown, in the ProgramDialog context.
inline constexpr const char* kTitle = QT_TRANSLATE_NOOP("ProgramDialog", "Program");

struct Button {
    const char* name;  // the button's objectName
    const char* text;
    int x, y, width, height;
    bool isDefault;
};

// In tab order.
inline constexpr Button kButtons[] = {
    {"start", QT_TRANSLATE_NOOP("ProgramDialog", "&Start"), 7, 25, 50, 14, true},
    {"done", QT_TRANSLATE_NOOP("ProgramDialog", "&Done"), 173, 25, 50, 14, false},
};

}  // namespace ProgramDialogTemplate

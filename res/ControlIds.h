#pragma once

// The programming dialog's control ids. Widgets carry their id as the dynamic property
// "controlId" so that tests can find them; every other window names its widgets by objectName.
namespace ControlIds {

inline constexpr char kProperty[] = "controlId";

inline constexpr int kProgramDialog = 103;
inline constexpr int kCancel = 2;
inline constexpr int kStart = 1011;
inline constexpr int kProgressBar = 1005;

}  // namespace ControlIds

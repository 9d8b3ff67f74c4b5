#pragma once

// Every fixed control id, menu command id and dialog id. Widgets carry their id as the dynamic
// property "controlId" so that tests, and people with a widget inspector, can find them.
namespace ControlIds {

inline constexpr char kProperty[] = "controlId";

// Dialog ids.
inline constexpr int kMainDialog = 101;
inline constexpr int kMainMenu = 102;
inline constexpr int kProgramDialog = 103;
inline constexpr int kEditTimeDialog = 106;
inline constexpr int kAppIcon = 108;
inline constexpr int kAboutDialog = 114;
inline constexpr int kHelpDialog = 115;

// Standard dialog buttons.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// Main window.
inline constexpr int kAddTimer = 1005;
inline constexpr int kExit = 1006;
inline constexpr int kProgram = 1007;
inline constexpr int kAddInterval = 1008;
inline constexpr int kDelete = 1009;
inline constexpr int kStartupCheck = 1035;
inline constexpr int kMemoryGauge = 1036;
inline constexpr int kTimerList = 4000;

// Main menu commands.
inline constexpr int kFileOpen = 40001;
inline constexpr int kFileSave = 40002;
inline constexpr int kFileSaveAs = 40003;
inline constexpr int kFileClose = 40005;
inline constexpr int kAbout = 40006;
inline constexpr int kFileRecent = 40007;
inline constexpr int kHelp = 40008;
inline constexpr int kFilePrint = 40009;
inline constexpr int kFileExportPdf = 40010;
inline constexpr int kFileExportCsv = 40011;
inline constexpr int kViewTimeline = 40012;
inline constexpr int kViewFit = 40013;
inline constexpr int kViewLanguage = 40014;
inline constexpr int kEditUndo = 40101;
inline constexpr int kEditRedo = 40102;
inline constexpr int kEditInsertInterval = 40103;
inline constexpr int kEditDelete = 40104;
inline constexpr int kEditMoveUp = 40105;
inline constexpr int kEditMoveDown = 40106;
inline constexpr int kEditDuplicateTimer = 40107;
inline constexpr int kEditTimerNumber = 40108;
inline constexpr int kEditAddTimer = 40109;
inline constexpr int kEditAddInterval = 40110;
// Moving timers and intervals between programs, and starting from a new or shipped one.
inline constexpr int kFileNew = 40020;
inline constexpr int kHelpExamples = 40021;
inline constexpr int kEditCut = 40120;
inline constexpr int kEditCopy = 40121;
inline constexpr int kEditPaste = 40122;
inline constexpr int kEditMoveTimerUp = 40123;
inline constexpr int kEditMoveTimerDown = 40124;
// Problems of the program, and mending one.
inline constexpr int kEditJoinTimer = 40111;
inline constexpr int kEditShowProblems = 40112;

// Programming dialog.
inline constexpr int kStart = 1011;
inline constexpr int kProgressBar = 1005;

// New-timer dialog.
inline constexpr int kTimerCombo = 1018;
inline constexpr int kIntervalEdit = 1019;
inline constexpr int kOnOffButton = 1020;

// About box.
inline constexpr int kAboutText = 1023;

// Timer list: panels are numbered from here, one more for every panel ever added.
inline constexpr int kFirstPanelId = 2000;

// Rows of a timer panel.
inline constexpr int kCaption = 151;
constexpr int LabelId(int row) {
    return row + 1;
}
constexpr int EditId(int row) {
    return row + 51;
}
constexpr int BlockStartId(int row) {
    return row + 101;
}

}  // namespace ControlIds

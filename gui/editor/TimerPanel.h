#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "core/EditorState.h"

class ColorCheckBox;
class ColorStatic;
class IntervalEdit;
class QFontMetrics;

// Row geometry from the font, so no text is clipped at any font size or scale. At the default
// font every figure is its minimum: rows 20 pixels high, labels 50 wide, boxes 18 wide.
inline constexpr int kMinRowHeight = 20;
inline constexpr int kMinLabelWidth = 50;
inline constexpr int kMinCheckBoxWidth = 18;
// A row (and a caption) is a line of text with room for the controls' frames and margins.
int RowHeightFor(const QFontMetrics& metrics);
// The ON/OFF label holds the longer of its two texts with room on both sides.
int LabelWidthFor(const QFontMetrics& metrics);
// The block-start box holds the style's check indicator with room for its frame.
int CheckBoxWidthFor(int indicatorWidth);

// The kinds of control in a panel, for moving between rows with Up and Down.
enum class RowPart { Caption, Label, Edit, CheckBox };

// The editor of one timer: a caption "Timer n" and one row per interval, each row an ON/OFF
// label, an interval edit and a block-start check box. The panel shows a timer of the program
// document and reports what the user does on it as signals; it changes no row by itself (a
// switched label or a clicked box shows the new state once the document has it).
//
// The fields `y` and `width` hide QWidget::y() and QWidget::width(): they are the place the
// list last gave the panel, which a scroll does not change. Use geometry() for the widget's.
//
// Keyboard: Tab runs through the caption and the rows; Up and Down move to the same kind of
// control in the row above or below (past the first or last row the panel emits
// focusLeaving, so its list can go on in the next panel); Shift+Up and Shift+Down (and Shift+click
// on a label) select several rows; Space on a label switches it. Every
// control carries an accessible name that says which timer and interval it belongs to.
class TimerPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxRows = kMaxIntervalsPerTimer;

    // The widget goes into container, or into parent when there is none, at x 0 and y, width
    // wide and one caption high; it shows from its first Move.
    TimerPanel(int timerNumber, int controlId, QWidget* parent, int y, int width,
               QWidget* container = nullptr);
    ~TimerPanel() override;

    // Appends a row; -1 when the panel already has kMaxRows rows. Neither places nor shows the
    // row: the next Move does.
    int AddRow(bool on, std::uint32_t hours, std::uint32_t minutes, std::uint32_t seconds,
               std::uint32_t ticks, bool blockStart);
    // The same with the interval as the text to show.
    int AddRow(bool on, const QString& text, bool blockStart);
    // Removes a row: the rows below move up one place (their texts and boxes do; the controls
    // stay), the last row's controls go.
    bool DeleteRow(int row);
    // Puts a row's label, text and box as given, exactly: neither the block rule nor any check
    // runs. The text counts as the edit's own, as if it had come with the row.
    void SetRow(int row, bool on, const QString& text, bool blockStart);
    QString GetRowText(int row) const;
    // Marks the row's interval as one the device cannot take, with why; empty clears it.
    void SetRowProblem(int row, const QString& why);
    // The first row whose typing does not read, or -1.
    int FindUnreadableRow() const;
    bool IsRowOn(int row) const;
    void SetTimerNumber(int number);
    // Places the panel and shows what was added since the last Move.
    void Move(int y, int width);
    int GetBottom() const { return y + (rowCount + 1) * rowHeight; }
    // The height of the caption and of every row, from the panel's font; a font change places
    // the panel again at its place (its list then stacks the panels anew).
    int GetRowHeight() const { return rowHeight; }
    int GetLabelWidth() const { return labelWidth; }
    int GetCheckBoxWidth() const { return checkBoxWidth; }

    void Activate();
    void Deactivate();
    void SelectRow(int row);
    // Rows anchor..row selected, row the end that moves; anchor -1 or row for row alone.
    void SelectRows(int anchor, int row);
    void UnselectRow();

    bool IsBlockStart(int row) const;

    bool IsActive() const { return active; }
    int GetRowCount() const { return rowCount; }
    int GetSelectedRow() const { return selectedRow; }
    // Where a range of selected rows started; -1 for one row or none.
    int GetAnchorRow() const { return anchorRow; }
    int GetTimerNumber() const { return timerNumber; }
    int GetControlId() const { return controlId; }
    int GetTop() const { return y; }
    int GetWidth() const { return width; }

    ColorStatic* GetCaption() const { return caption; }
    // The row's controls, or nullptr for no row.
    ColorStatic* GetLabel(int row) const;
    IntervalEdit* GetEdit(int row) const;
    ColorCheckBox* GetCheckBox(int row) const;
    // The control of that kind in the row (row is ignored for the caption), or nullptr.
    QWidget* GetPart(RowPart part, int row) const;
    // Which control of the panel widget is; false when it is none of them.
    bool FindPart(const QWidget* widget, RowPart& part, int& row) const;
    // Moves the keyboard focus to the control, claiming the panel and selecting the row as a
    // click would, without switching anything; for the caption, no row is selected. False for
    // no such control.
    bool FocusPart(RowPart part, int row);

    // Handlers of the user's actions on the rows, by control id.
    void OnCaptionClicked();
    void OnLabelClicked(int id);
    void OnEditSetFocus(int id);
    void OnBlockStartClicked(int id);
    void OnEditCommitted(int id);
    // Gives every row's controls their accessible names (once a screen reader is active).
    void NameRows();
    // Names the rows of every panel when a screen reader starts; idempotent.
    static void WatchForScreenReaders();
    // Space on a label, or an assistive tool pressing it: selects the row and switches it.
    void OnLabelActivated(int id);

signals:
    // A double click on the caption: the user asks to change the timer's number.
    void captionDoubleClicked();
    // The panel is about to make itself the active one: its list deactivates the others.
    void activating();
    // The user asks to switch the row between ON and OFF.
    void rowSwitched(int row);
    // The user finished typing in the row's edit, and the edit took the text.
    void rowTextCommitted(int row, const QString& text);
    // The user clicked the row's block-start box, asking for the other state.
    void blockStartClicked(int row);
    // Up (direction -1) or Down (+1) on a control of that kind found no row to go to here.
    void focusLeaving(RowPart part, int direction);
    // The panel became active or inactive, or its selected row changed.
    void selectionChanged();
    // A row's typing stopped or started reading.
    void unreadableChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool IsRow(int row) const { return row >= 0 && row < rowCount; }
    // Activates the panel, telling its list first, unless it already is active.
    void Claim();
    void ColorRow(int row, bool selected);
    void PlaceRow(int row);
    void UpdateMetrics();
    void SetLabelOn(int row, bool on);
    void NameRow(int row);
    void ToggleRow(int row);
    bool MoveFocus(QWidget* from, int direction);
    // Shift+Up or Shift+Down: the range grows or shrinks by a row, the focus on its moving end.
    bool ExtendFocus(QWidget* from, int direction);

    int timerNumber;
    int rowCount = 0;
    int controlId;
    int y;
    int width;
    bool active = false;
    int selectedRow = -1;
    int anchorRow = -1;
    ColorStatic* caption = nullptr;
    std::array<ColorStatic*, kMaxRows + 1> labels{};
    // What each label says, kept apart from its text, which is in the user's language.
    std::array<bool, kMaxRows + 1> rowOn{};
    std::array<ColorCheckBox*, kMaxRows + 1> checkBoxes{};
    std::array<IntervalEdit*, kMaxRows + 1> edits{};

    // Rows 0 .. placedRows - 1 stand where a Move at placedWidth put them; a Move that only
    // changes the top leaves them alone (they move with the panel).
    int placedRows = 0;
    int placedWidth = -1;
    int rowHeight = kMinRowHeight;
    int labelWidth = kMinLabelWidth;
    int checkBoxWidth = kMinCheckBoxWidth;
};

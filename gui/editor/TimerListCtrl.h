#pragma once

#include <QFrame>
#include <QRect>
#include <array>
#include <cstdint>
#include <vector>

#include "core/DeviceLimits.h"
#include "core/EditorState.h"
#include "res/ControlIds.h"

#include "gui/editor/TimerPanel.h"

class QScrollBar;

// Scroll and layout arithmetic of the timer list, kept apart from the widgets.

// The steps at the smallest row height; they grow with the rows (ScrollStepsFor).
inline constexpr int kLineScrollStep = 5;
inline constexpr int kPageScrollStep = 40;
inline constexpr int kWheelScrollStep = 10;
// Width the panels give up for the vertical scroll bar.
inline constexpr int kScrollBarRoom = 20;

// The scroll-bar actions the list answers; any other leaves the view as it is.
enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Other };

// A scroll step: the shifts to apply to the panels, in order (positive moves them down), and
// the position afterwards.
struct ScrollStep {
    int firstShift = 0;
    int secondShift = 0;
    int position = 0;

    int NetShift() const { return firstShift + secondShift; }
};

// How far a bar's line and page actions and a wheel event move the panels.
struct ScrollSteps {
    int line = kLineScrollStep;
    int page = kPageScrollStep;
    int wheel = kWheelScrollStep;
};
// The steps for rows of rowHeight pixels: the same share of a row at every font size.
ScrollSteps ScrollStepsFor(int rowHeight);

// The largest scroll position for a range 0..rangeMax shown through a page: rangeMax - (page - 1),
// and 0 while everything fits.
int ScrollLimit(int rangeMax, int page);
// Up by step: shift down by step if not at the top, then take back any overshoot past 0.
ScrollStep ScrollUp(int position, int step);
// Down by step: shift up by step if not at the limit, then take back any overshoot past it.
ScrollStep ScrollDown(int position, int limit, int step);
// One scroll-bar action; thumb is the thumb's position for ThumbTrack.
ScrollStep ComputeScroll(ScrollCode code, int position, int limit, int thumb,
                         const ScrollSteps& steps = {});
// One wheel event: up or down by one wheel step whatever the size of the delta.
ScrollStep ComputeWheel(int delta, int position, int limit, const ScrollSteps& steps = {});
// The panels' width: listWidth, less room for the scroll bar when the panels (ending at
// lastBottom) will not fit in listHeight, which is when the bar shows.
int LayoutWidth(int listWidth, int listHeight, int lastBottom);
// The tops of panels with these row counts and rows of rowHeight (a caption is one row high),
// stacked from 0; one more entry, the last bottom.
std::vector<int> LayoutTops(const std::vector<int>& rowCounts, int rowHeight);
// The scroll position that shows top..bottom (unscrolled list coordinates) through a view of
// viewHeight, moving as little as possible from position; the top wins when both cannot show.
int ScrollToShow(int position, int limit, int viewHeight, int top, int bottom);

// The scrollable list of timer panels in which a whole program is edited. It shows the program
// document's state (ShowState) and reports what the user does on the rows as signals; the
// window turns them into changes of the document, which the list then shows. Resizing lays the
// panels out again at the new width and keeps the scroll place where it can.
//
// The fields `width` and `height` hide QWidget::width() and QWidget::height(); they are the
// size the panels were last laid out for.
//
// Row heights follow the list's font (RowHeightFor); a font change lays the panels out again.
// Up and Down go on from one panel to the next, and the list keeps the Tab order of the
// panels' controls in display order, placed where the list stands in its window's order.
class TimerListCtrl : public QFrame {
    Q_OBJECT

public:
    static constexpr int kMaxPanels = kTimerCount;
    static constexpr int kMinimumWidth = 180;
    static constexpr int kMinimumHeight = 100;

    // rect is the outer rectangle, border included, in the parent's coordinates.
    explicit TimerListCtrl(const QRect& rect = QRect(11, 50, 236, 230), QWidget* parent = nullptr,
                           int id = ControlIds::kTimerList);
    ~TimerListCtrl() override;

    // Returns the new panel's index, or -1 when kMaxPanels panels exist. Not laid out.
    int AddPanel(int timerNumber);
    // The same at index, moving the panels from there down one place.
    int InsertPanel(int index, int timerNumber);
    // Returns the new row's index, or -1 for no panel or a full one. Not laid out.
    int AddRow(int index, bool on, std::uint32_t hours, std::uint32_t minutes,
               std::uint32_t seconds, std::uint32_t ticks, bool blockStart);
    // Both lay out and update the scroll bar themselves.
    bool DeletePanel(int index);
    bool DeleteRow(int index, int row);
    // Neither lays out nor updates the scroll bar; the panel ids keep counting.
    void RemoveAllPanels();
    // Stacks the panels from the top at their places, keeping the scroll position.
    void LayoutPanels();
    // Sets the range from the last panel's bottom; the position stays unless it is now past
    // the end.
    void UpdateScrollInfo();
    // Scrolls as little as needed to show the row (or, for row -1, the timer from its caption).
    void EnsureVisible(int index, int row);
    // The height of a caption and of a row at the list's font; the panels use the same.
    int GetRowHeight() const;

    // Shows state where change says it differs from what the list shows (the panels in its
    // range, the selection), then lays out; the scroll position stays where it can. The user's
    // signals are quiet meanwhile.
    void ShowState(const EditorState& state, const EditorChange& change);
    // Shows state whole, changing only the rows that differ.
    void ShowState(const EditorState& state);
    // Marks the intervals the device check found too long (CheckEditorState's rows).
    void ShowProblems(const std::vector<DeviceProblem>& problems);
    // The row whose typing does not read: the focused one, else the first. False for none.
    bool FindUnreadableRow(int& index, int& row) const;
    // Says which row does not read and the forms it may take; empty for none.
    QString DescribeUnreadableRow() const;
    // Scrolls to that row and puts the focus in its field; false for none.
    bool FocusUnreadableRow();

    int GetActivePanel() const;
    // Returns the active panel's index (or -1) and gives its selected row (or -1).
    int GetSelection(int& index, int& row) const;
    // The other end of the active panel's range of selected rows, or -1.
    int GetSelectionAnchor() const;
    // anchor: the other end of a range of rows, -1 for row alone.
    bool Select(int index, int row, int anchor = -1);
    int GetPanelCount() const { return panelCount; }
    int GetRowCount(int index) const;
    int GetTimerNumber(int index) const;
    bool IsBlockStart(int index, int row) const;

    void OnVScroll(ScrollCode code, int thumbPosition);
    void OnMouseWheel(int delta);

signals:
    // The user double-clicked the caption of the panel at index.
    void captionDoubleClicked(int index);
    // The user made another panel active or selected another row (row -1: the caption), or
    // rows anchor..row (anchor -1: row alone).
    void selectionChanged(int index, int row, int anchor);
    // What the user did on a row: see TimerPanel's signals.
    void rowSwitched(int index, int row);
    void rowTextCommitted(int index, int row, const QString& text);
    void blockStartClicked(int index, int row);
    // A row's typing stopped or started reading, or such a row went.
    void unreadableChanged();

public:
    TimerPanel* GetPanel(int index) const;
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetNextPanelId() const { return nextPanelId; }
    int GetScrollPosition() const { return position; }
    int GetScrollLimit() const { return limit; }
    bool IsScrollBarShown() const;
    QScrollBar* GetScrollBar() const { return scrollBar; }
    // The area that holds the panels and is scrolled.
    QWidget* GetClient() const { return client; }
    // The size the list was made with: what the window gives it by default.
    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool IsPanel(int index) const { return index >= 0 && index < panelCount; }
    int PageHeight() const { return height - 2 * frameWidth(); }
    void OnCreate();
    void OnPanelActivating();
    // The panel's index, or -1 when it is not the list's.
    int IndexOf(const TimerPanel* panel) const;
    void ReportSelection();
    void OnScrollAction(int action);
    void OnFocusChanged(QWidget* now);
    void OnFocusLeaving(TimerPanel* from, RowPart part, int direction);
    void UpdateTabOrder();
    void ShowArea(int top, int bottom);
    TimerPanel* MakePanel(int timerNumber, int top);
    void RemovePanelAt(int index);
    // Shows state in the panel at index; true when its row count changed.
    bool FillPanel(int index, const PanelState& state);
    void Apply(const ScrollStep& step);
    void Shift(int delta);
    void PlaceClient();

    int width = 0;
    int height = 0;
    QSize initialSize;
    int panelCount = 0;
    int nextPanelId = 0;
    std::array<TimerPanel*, kMaxPanels + 1> panels{};

    QWidget* client = nullptr;
    QScrollBar* scrollBar = nullptr;
    // The only record of the scroll position: the bar mirrors it.
    int position = 0;
    int limit = 0;
    // Set while the document's state is being shown: those changes are not the user's.
    bool showing = false;
};

// Commits the typing in progress, then checks that every interval in window's list reads: a
// command on the whole program (save, open, close, program, print, export, exit) calls it
// first. When one does not, it says which, puts the focus there and returns false.
bool CommitAllTyping(QWidget* window);

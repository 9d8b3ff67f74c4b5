#include "gui/editor/TimerListCtrl.h"

#include <QApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

#include "core/ProgramFacts.h"
#include "gui/common/Prompter.h"
#include "gui/common/SystemColors.h"
#include "gui/common/TimerTexts.h"
#include "gui/editor/IntervalEdit.h"
#include "gui/editor/TimerPanel.h"

int ScrollLimit(int rangeMax, int page) {
    return std::max(0, rangeMax - (page - 1));
}

ScrollStep ScrollUp(int position, int step) {
    ScrollStep result{0, 0, position};
    if (result.position > 0) {
        result.firstShift = step;
        result.position -= step;
    }
    if (result.position < 0) {
        result.secondShift = result.position;
        result.position = 0;
    }
    return result;
}

ScrollStep ScrollDown(int position, int limit, int step) {
    ScrollStep result{0, 0, position};
    if (result.position < limit) {
        result.firstShift = -step;
        result.position += step;
    }
    if (result.position > limit) {
        result.secondShift = result.position - limit;
        result.position = limit;
    }
    return result;
}

ScrollSteps ScrollStepsFor(int rowHeight) {
    const int height = std::max(rowHeight, kMinRowHeight);
    return ScrollSteps{kLineScrollStep * height / kMinRowHeight,
                       kPageScrollStep * height / kMinRowHeight,
                       kWheelScrollStep * height / kMinRowHeight};
}

ScrollStep ComputeScroll(ScrollCode code, int position, int limit, int thumb,
                         const ScrollSteps& steps) {
    switch (code) {
        case ScrollCode::LineUp:
            return ScrollUp(position, steps.line);
        case ScrollCode::LineDown:
            return ScrollDown(position, limit, steps.line);
        case ScrollCode::PageUp:
            return ScrollUp(position, steps.page);
        case ScrollCode::PageDown:
            return ScrollDown(position, limit, steps.page);
        case ScrollCode::ThumbTrack: {
            const int target = std::clamp(thumb, 0, std::max(0, limit));
            return ScrollStep{position - target, 0, target};
        }
        case ScrollCode::Other:
            break;
    }
    return ScrollStep{0, 0, position};
}

ScrollStep ComputeWheel(int delta, int position, int limit, const ScrollSteps& steps) {
    if (delta > 0) {
        return ScrollUp(position, steps.wheel);
    }
    if (delta < 0) {
        return ScrollDown(position, limit, steps.wheel);
    }
    return ScrollStep{0, 0, position};
}

int LayoutWidth(int listWidth, int listHeight, int lastBottom) {
    return lastBottom >= listHeight ? listWidth - kScrollBarRoom : listWidth;
}

std::vector<int> LayoutTops(const std::vector<int>& rowCounts, int rowHeight) {
    std::vector<int> tops;
    tops.reserve(rowCounts.size() + 1);
    int top = 0;
    tops.push_back(top);
    for (int rows : rowCounts) {
        top += (rows + 1) * rowHeight;
        tops.push_back(top);
    }
    return tops;
}

int ScrollToShow(int position, int limit, int viewHeight, int top, int bottom) {
    int target = position;
    if (bottom - top > viewHeight || top < position) {
        target = top;
    } else if (bottom > position + viewHeight) {
        target = bottom - viewHeight;
    }
    return std::clamp(target, 0, std::max(0, limit));
}

namespace {

// The area under the panels, which shows where no panel covers it.
class ListClient : public QWidget {
public:
    explicit ListClient(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), ToQColor(GetSysColor(SysColor::HighlightText)));
    }
};

}  // namespace

TimerListCtrl::TimerListCtrl(const QRect& rect, QWidget* parent, int id) : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setProperty(ControlIds::kProperty, id);
    setGeometry(rect);
    initialSize = rect.size();
    // The window's layout gives the list whatever room is left; it grows in both directions.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(std::min(rect.width(), kMinimumWidth), std::min(rect.height(), kMinimumHeight));

    client = new ListClient(this);
    scrollBar = new QScrollBar(Qt::Vertical, this);
    // The bar's own menu would move it behind the list's back.
    scrollBar->setContextMenuPolicy(Qt::NoContextMenu);
    scrollBar->setFocusPolicy(Qt::NoFocus);
    scrollBar->installEventFilter(this);
    connect(scrollBar, &QScrollBar::actionTriggered, this, &TimerListCtrl::OnScrollAction);
    TimerPanel::WatchForScreenReaders();
    // Whatever takes the focus in the list, by Tab or by the program, comes into view.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    OnCreate();
}

TimerListCtrl::~TimerListCtrl() {
    // The panels go while the list they report to is still whole.
    RemoveAllPanels();
}

void TimerListCtrl::OnCreate() {
    width = geometry().width();
    height = geometry().height();
    scrollBar->setVisible(true);
    UpdateScrollInfo();
    nextPanelId = ControlIds::kFirstPanelId;
}

TimerPanel* TimerListCtrl::GetPanel(int index) const {
    return IsPanel(index) ? panels[static_cast<std::size_t>(index)] : nullptr;
}

bool TimerListCtrl::IsScrollBarShown() const {
    return !scrollBar->isHidden();
}

void TimerListCtrl::PlaceClient() {
    const QRect inside = contentsRect();
    if (IsScrollBarShown()) {
        // The client is exactly as wide as the panels laid out beside the bar.
        const int clientWidth = std::min(inside.width(), width - kScrollBarRoom);
        client->setGeometry(inside.x(), inside.y(), clientWidth, inside.height());
        scrollBar->setGeometry(inside.x() + clientWidth, inside.y(), inside.width() - clientWidth,
                               inside.height());
    } else {
        client->setGeometry(inside);
    }
}

TimerPanel* TimerListCtrl::MakePanel(int timerNumber, int top) {
    auto* panel = new TimerPanel(timerNumber, nextPanelId, this, top, width, client);
    ++nextPanelId;
    connect(panel, &TimerPanel::focusLeaving, this,
            [this, panel](RowPart part, int direction) { OnFocusLeaving(panel, part, direction); });
    connect(panel, &TimerPanel::activating, this, &TimerListCtrl::OnPanelActivating);
    connect(panel, &TimerPanel::selectionChanged, this, &TimerListCtrl::ReportSelection);
    // The user's actions, with the panel's index as it is when they happen.
    connect(panel, &TimerPanel::captionDoubleClicked, this, [this, panel] {
        if (const int index = IndexOf(panel); index != -1) {
            emit captionDoubleClicked(index);
        }
    });
    connect(panel, &TimerPanel::rowSwitched, this, [this, panel](int row) {
        if (const int index = IndexOf(panel); index != -1 && !showing) {
            emit rowSwitched(index, row);
        }
    });
    connect(panel, &TimerPanel::rowTextCommitted, this,
            [this, panel](int row, const QString& text) {
                if (const int index = IndexOf(panel); index != -1 && !showing) {
                    emit rowTextCommitted(index, row, text);
                }
            });
    connect(panel, &TimerPanel::unreadableChanged, this, &TimerListCtrl::unreadableChanged);
    connect(panel, &TimerPanel::blockStartClicked, this, [this, panel](int row) {
        if (const int index = IndexOf(panel); index != -1 && !showing) {
            emit blockStartClicked(index, row);
        }
    });
    return panel;
}

int TimerListCtrl::IndexOf(const TimerPanel* panel) const {
    const auto found = std::find(panels.begin(), panels.begin() + panelCount, panel);
    return found == panels.begin() + panelCount ? -1 : static_cast<int>(found - panels.begin());
}

void TimerListCtrl::ReportSelection() {
    if (showing) {
        return;
    }
    int index = -1;
    int row = -1;
    GetSelection(index, row);
    emit selectionChanged(index, row, GetSelectionAnchor());
}

int TimerListCtrl::AddPanel(int timerNumber) {
    if (panelCount + 1 > kMaxPanels) {
        return -1;
    }
    const int top =
        panelCount == 0 ? 0 : panels[static_cast<std::size_t>(panelCount - 1)]->GetBottom();
    panels[static_cast<std::size_t>(panelCount)] = MakePanel(timerNumber, top);
    setFocus(Qt::OtherFocusReason);
    return panelCount++;
}

int TimerListCtrl::InsertPanel(int index, int timerNumber) {
    if (index < 0 || index > panelCount || panelCount + 1 > kMaxPanels) {
        return -1;
    }
    const int top = index == 0 ? 0 : panels[static_cast<std::size_t>(index - 1)]->GetBottom();
    std::move_backward(panels.begin() + index, panels.begin() + panelCount,
                       panels.begin() + panelCount + 1);
    panels[static_cast<std::size_t>(index)] = MakePanel(timerNumber, top);
    ++panelCount;
    return index;
}

void TimerListCtrl::RemovePanelAt(int index) {
    delete panels[static_cast<std::size_t>(index)];
    std::move(panels.begin() + index + 1, panels.begin() + panelCount, panels.begin() + index);
    --panelCount;
    panels[static_cast<std::size_t>(panelCount)] = nullptr;
}

int TimerListCtrl::AddRow(int index, bool on, std::uint32_t hours, std::uint32_t minutes,
                          std::uint32_t seconds, std::uint32_t ticks, bool blockStart) {
    if (!IsPanel(index)) {
        return -1;
    }
    return panels[static_cast<std::size_t>(index)]->AddRow(on, hours, minutes, seconds, ticks,
                                                           blockStart);
}

bool TimerListCtrl::DeletePanel(int index) {
    if (!IsPanel(index)) {
        return false;
    }
    RemovePanelAt(index);
    LayoutPanels();
    UpdateScrollInfo();
    return true;
}

bool TimerListCtrl::DeleteRow(int index, int row) {
    if (!IsPanel(index)) {
        return false;
    }
    const bool deleted = panels[static_cast<std::size_t>(index)]->DeleteRow(row);
    LayoutPanels();
    UpdateScrollInfo();
    return deleted;
}

void TimerListCtrl::RemoveAllPanels() {
    for (int i = 0; i < panelCount; ++i) {
        delete panels[static_cast<std::size_t>(i)];
        panels[static_cast<std::size_t>(i)] = nullptr;
    }
    panelCount = 0;
    // Nothing is left to scroll; the next program starts at the top.
    position = 0;
}

void TimerListCtrl::LayoutPanels() {
    if (panelCount == 0) {
        return;
    }
    // Heights do not depend on the width, so the last bottom is known before placing anything
    // and the width is chosen once, from the layout the bar will follow.
    int lastBottom = 0;
    for (int i = 0; i < panelCount; ++i) {
        const TimerPanel* panel = panels[static_cast<std::size_t>(i)];
        lastBottom += (panel->GetRowCount() + 1) * panel->GetRowHeight();
    }
    // Never wider than the inside of the border, or the rows' right edge would be cut off.
    const int panelWidth =
        std::min(LayoutWidth(width, PageHeight(), lastBottom), width - 2 * frameWidth());
    int top = 0;
    for (int i = 0; i < panelCount; ++i) {
        TimerPanel* panel = panels[static_cast<std::size_t>(i)];
        panel->Move(top, panelWidth);
        if (position != 0) {
            // Move places at the unscrolled top; the view stays where the user left it.
            panel->move(0, top - position);
        }
        top = panel->GetBottom();
    }
    UpdateTabOrder();
    update();
}

namespace {

// The next control after widget that Tab stops at, in its window's focus chain.
QWidget* NextTabStop(QWidget* widget) {
    for (QWidget* next = widget->nextInFocusChain(); next != widget;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0) {
            return next;
        }
    }
    return widget;
}

}  // namespace

void TimerListCtrl::UpdateTabOrder() {
    // Controls are made in the order panels and rows were added, inserted or undone, which is
    // not the order they show in; Tab must follow what the user sees.
    std::vector<QWidget*> order;
    for (int i = 0; i < panelCount; ++i) {
        const TimerPanel* panel = panels[static_cast<std::size_t>(i)];
        order.push_back(panel->GetPart(RowPart::Caption, -1));
        for (int row = 0; row < panel->GetRowCount(); ++row) {
            for (RowPart part : {RowPart::Label, RowPart::Edit, RowPart::CheckBox}) {
                order.push_back(panel->GetPart(part, row));
            }
        }
    }
    if (order.empty()) {
        return;
    }
    // The panels' controls follow the list itself, which stands where the window put it in
    // the Tab order; walking back past thousands of rows to find its neighbour took longer
    // than the layout.
    if (NextTabStop(this) != order.front()) {
        QWidget::setTabOrder(this, order.front());
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (NextTabStop(order[i - 1]) != order[i]) {
            QWidget::setTabOrder(order[i - 1], order[i]);
        }
    }
}

int TimerListCtrl::GetRowHeight() const {
    return RowHeightFor(fontMetrics());
}

void TimerListCtrl::UpdateScrollInfo() {
    const int rangeMax =
        panelCount > 0 ? panels[static_cast<std::size_t>(panelCount - 1)]->GetBottom() : 0;
    // The page is what shows inside the border, so at the limit the last row shows whole.
    limit = ScrollLimit(rangeMax, PageHeight());
    const int kept = std::clamp(position, 0, limit);
    Shift(position - kept);
    position = kept;
    scrollBar->setRange(0, limit);
    scrollBar->setPageStep(PageHeight());
    scrollBar->setValue(position);
    const bool show = limit > 0;
    if (show != IsScrollBarShown()) {
        scrollBar->setVisible(show);
    }
    PlaceClient();
}

int TimerListCtrl::GetActivePanel() const {
    for (int i = 0; i < panelCount; ++i) {
        if (panels[static_cast<std::size_t>(i)]->IsActive()) {
            return i;
        }
    }
    return -1;
}

int TimerListCtrl::GetSelection(int& index, int& row) const {
    row = -1;
    index = GetActivePanel();
    if (index != -1) {
        row = panels[static_cast<std::size_t>(index)]->GetSelectedRow();
    }
    return index;
}

int TimerListCtrl::GetSelectionAnchor() const {
    const TimerPanel* panel = GetPanel(GetActivePanel());
    return panel != nullptr ? panel->GetAnchorRow() : -1;
}

bool TimerListCtrl::Select(int index, int row, int anchor) {
    const int active = GetActivePanel();
    if (index < -1 || index >= panelCount) {
        return false;
    }
    if (active != -1) {
        panels[static_cast<std::size_t>(active)]->Deactivate();
    }
    if (index == -1) {
        return true;
    }
    TimerPanel* panel = panels[static_cast<std::size_t>(index)];
    panel->Activate();
    if (row < -1 || row >= panel->GetRowCount()) {
        return false;
    }
    if (row == -1) {
        return true;
    }
    panel->SelectRows(anchor, row);
    return true;
}

int TimerListCtrl::GetRowCount(int index) const {
    return IsPanel(index) ? panels[static_cast<std::size_t>(index)]->GetRowCount() : -1;
}

int TimerListCtrl::GetTimerNumber(int index) const {
    return IsPanel(index) ? panels[static_cast<std::size_t>(index)]->GetTimerNumber() : -1;
}

bool TimerListCtrl::IsBlockStart(int index, int row) const {
    return IsPanel(index) && panels[static_cast<std::size_t>(index)]->IsBlockStart(row);
}

bool TimerListCtrl::FillPanel(int index, const PanelState& state) {
    TimerPanel* panel = panels[static_cast<std::size_t>(index)];
    if (panel->GetTimerNumber() != state.timerNumber) {
        panel->SetTimerNumber(state.timerNumber);
    }
    const int rows = static_cast<int>(state.rows.size());
    const bool resized = panel->GetRowCount() != rows;
    while (panel->GetRowCount() > rows) {
        panel->DeleteRow(panel->GetRowCount() - 1);
    }
    const int kept = panel->GetRowCount();
    for (int row = 0; row < kept; ++row) {
        const RowState& wanted = state.rows[static_cast<std::size_t>(row)];
        panel->SetRow(row, wanted.on, QString::fromStdString(RowText(wanted)), wanted.blockStart);
    }
    for (int row = kept; row < rows; ++row) {
        const RowState& wanted = state.rows[static_cast<std::size_t>(row)];
        panel->AddRow(wanted.on, QString::fromStdString(RowText(wanted)), wanted.blockStart);
    }
    return resized;
}

void TimerListCtrl::ShowState(const EditorState& state, const EditorChange& change) {
    const bool wasShowing = showing;
    showing = true;
    if (change.Panels()) {
        // The panels in the change's range are replaced; those kept are filled anew, so one
        // step touches one or two panels however long the program.
        const int first = std::clamp(change.first, 0, panelCount);
        const int wanted = std::min(static_cast<int>(state.panels.size()), kMaxPanels);
        const int added = std::clamp(change.added, 0, wanted - first);
        const int removed = std::clamp(change.removed, 0, panelCount - first);
        const int common = std::min(removed, added);
        // A change inside the rows (a text, a switch, a box) moves nothing: no layout.
        bool moved = removed != added;
        for (int i = 0; i < common; ++i) {
            moved =
                FillPanel(first + i, state.panels[static_cast<std::size_t>(first + i)]) || moved;
        }
        for (int i = common; i < removed; ++i) {
            RemovePanelAt(first + common);
        }
        for (int i = common; i < added; ++i) {
            const PanelState& panel = state.panels[static_cast<std::size_t>(first + i)];
            FillPanel(InsertPanel(first + i, panel.timerNumber), panel);
        }
        if (moved) {
            LayoutPanels();
            UpdateScrollInfo();
        }
        // A row whose typing did not read may have gone with its panel.
        emit unreadableChanged();
    }
    if (change.replaced) {
        Apply(ScrollStep{position, 0, 0});  // a new program shows from its top
    }
    int index = -1;
    int row = -1;
    GetSelection(index, row);
    if (index != state.selection.panel || row != state.selection.row ||
        GetSelectionAnchor() != state.selection.anchor) {
        Select(state.selection.panel, state.selection.row, state.selection.anchor);
    }
    showing = wasShowing;
}

void TimerListCtrl::ShowProblems(const std::vector<DeviceProblem>& problems) {
    std::vector<std::vector<QString>> marks(static_cast<std::size_t>(panelCount));
    for (const DeviceProblem& problem : problems) {
        if (MarksRow(problem) && IsPanel(problem.panel)) {
            std::vector<QString>& rows = marks[static_cast<std::size_t>(problem.panel)];
            rows.resize(std::max(rows.size(), static_cast<std::size_t>(problem.row) + 1));
            rows[static_cast<std::size_t>(problem.row)] = QString::fromStdString(problem.message);
        }
    }
    for (int index = 0; index < panelCount; ++index) {
        TimerPanel* panel = panels[static_cast<std::size_t>(index)];
        const std::vector<QString>& rows = marks[static_cast<std::size_t>(index)];
        for (int row = 0; row < panel->GetRowCount(); ++row) {
            const auto slot = static_cast<std::size_t>(row);
            panel->SetRowProblem(row, slot < rows.size() ? rows[slot] : QString());
        }
    }
}

bool TimerListCtrl::FindUnreadableRow(int& index, int& row) const {
    // The field being typed in comes first: that is the one the user is looking at.
    if (auto* edit = qobject_cast<IntervalEdit*>(QApplication::focusWidget());
        edit != nullptr && edit->IsUnreadable()) {
        for (int i = 0; i < panelCount; ++i) {
            RowPart part = RowPart::Caption;
            if (panels[static_cast<std::size_t>(i)]->FindPart(edit, part, row)) {
                index = i;
                return true;
            }
        }
    }
    for (int i = 0; i < panelCount; ++i) {
        row = panels[static_cast<std::size_t>(i)]->FindUnreadableRow();
        if (row != -1) {
            index = i;
            return true;
        }
    }
    index = row = -1;
    return false;
}

QString TimerListCtrl::DescribeUnreadableRow() const {
    int index = -1;
    int row = -1;
    if (!FindUnreadableRow(index, row)) {
        return {};
    }
    //: %3 is the forms an interval is typed in.
    return tr("Timer %1, interval %2 does not read. %3. Esc takes the typing back.")
        .arg(GetTimerNumber(index))
        .arg(row + 1)
        .arg(IntervalFormsText());
}

bool TimerListCtrl::FocusUnreadableRow() {
    int index = -1;
    int row = -1;
    if (!FindUnreadableRow(index, row)) {
        return false;
    }
    EnsureVisible(index, row);
    panels[static_cast<std::size_t>(index)]->FocusPart(RowPart::Edit, row);
    return true;
}

bool CommitAllTyping(QWidget* window) {
    if (!CommitFocusedTyping() && window == nullptr) {
        return false;
    }
    auto* list = window != nullptr ? window->findChild<TimerListCtrl*>() : nullptr;
    int index = -1;
    int row = -1;
    if (list == nullptr || !list->FindUnreadableRow(index, row)) {
        return true;
    }
    // Said before the focus moves, so the message's window is the one it refers to.
    Prompter::Current().ShowMessage(
        window,
        QCoreApplication::translate("TimerListCtrl",
                                    "Timer %1, interval %2 does not read as an interval.")
            .arg(list->GetTimerNumber(index))
            .arg(row + 1),
        //: %1 is the forms an interval is typed in.
        QCoreApplication::translate(
            "TimerListCtrl",
            "Until it does, the program keeps its last good value and this command waits. Type "
            "it as %1, or press Esc in it to take the typing back.")
            .arg(IntervalFormsText()));
    list->FocusUnreadableRow();
    return false;
}

void TimerListCtrl::ShowState(const EditorState& state) {
    ShowState(state,
              EditorChange{0, panelCount, static_cast<int>(state.panels.size()), true, true});
}

void TimerListCtrl::EnsureVisible(int index, int row) {
    const TimerPanel* panel = GetPanel(index);
    if (panel == nullptr) {
        return;
    }
    if (row >= 0 && row < panel->GetRowCount()) {
        const int top = panel->GetTop() + (row + 1) * panel->GetRowHeight();
        ShowArea(top, top + panel->GetRowHeight());
    } else {
        ShowArea(panel->GetTop(), panel->GetBottom());
    }
}

void TimerListCtrl::ShowArea(int top, int bottom) {
    const int target = ScrollToShow(position, limit, client->height(), top, bottom);
    Apply(ScrollStep{position - target, 0, target});
}

void TimerListCtrl::OnFocusChanged(QWidget* now) {
    if (now == nullptr || !client->isAncestorOf(now)) {
        return;
    }
    const int top = now->mapTo(client, QPoint(0, 0)).y() + position;
    ShowArea(top, top + now->height());
}

void TimerListCtrl::OnFocusLeaving(TimerPanel* from, RowPart part, int direction) {
    const auto found = std::find(panels.begin(), panels.begin() + panelCount, from);
    if (found == panels.begin() + panelCount) {
        return;
    }
    // Panels without rows are passed over: they have no control of the kind to go to.
    for (int i = static_cast<int>(found - panels.begin()) + direction; IsPanel(i); i += direction) {
        TimerPanel* panel = panels[static_cast<std::size_t>(i)];
        const int row = direction > 0 ? 0 : panel->GetRowCount() - 1;
        if (panel->FocusPart(part, row)) {
            return;
        }
    }
}

void TimerListCtrl::Shift(int delta) {
    if (delta == 0) {
        return;
    }
    if (client->isVisible()) {
        client->scroll(0, delta);
    } else {
        // A hidden widget does not scroll its children; move them, so the view is right when
        // it shows.
        for (int i = 0; i < panelCount; ++i) {
            TimerPanel* panel = panels[static_cast<std::size_t>(i)];
            panel->move(panel->pos() + QPoint(0, delta));
        }
    }
}

void TimerListCtrl::Apply(const ScrollStep& step) {
    // The two shifts of a clamped step are applied as one, so the panels never show the
    // overshoot.
    Shift(step.NetShift());
    position = step.position;
    scrollBar->setValue(position);
}

void TimerListCtrl::OnVScroll(ScrollCode code, int thumbPosition) {
    Apply(ComputeScroll(code, position, limit, thumbPosition, ScrollStepsFor(GetRowHeight())));
}

void TimerListCtrl::OnMouseWheel(int delta) {
    Apply(ComputeWheel(delta, position, limit, ScrollStepsFor(GetRowHeight())));
}

void TimerListCtrl::OnScrollAction(int action) {
    ScrollCode code = ScrollCode::Other;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            code = ScrollCode::LineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            code = ScrollCode::LineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            code = ScrollCode::PageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            code = ScrollCode::PageDown;
            break;
        case QAbstractSlider::SliderMove:
            code = ScrollCode::ThumbTrack;
            break;
        default:
            break;
    }
    // The bar has already moved its slider for the action; the list decides where it ends.
    OnVScroll(code, scrollBar->sliderPosition());
    scrollBar->setSliderPosition(position);
}

void TimerListCtrl::OnPanelActivating() {
    // The panel taking over reports the selection it makes; the moment between is no news.
    const bool wasShowing = showing;
    showing = true;
    for (int i = 0; i < panelCount; ++i) {
        panels[static_cast<std::size_t>(i)]->Deactivate();
    }
    showing = wasShowing;
}

bool TimerListCtrl::eventFilter(QObject* watched, QEvent* event) {
    // The wheel over the bar scrolls the list by the list's steps, as anywhere else in it.
    if (watched == scrollBar && event->type() == QEvent::Wheel) {
        OnMouseWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

QSize TimerListCtrl::sizeHint() const {
    return initialSize;
}

void TimerListCtrl::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (width == event->size().width() && height == event->size().height()) {
        return;
    }
    width = event->size().width();
    height = event->size().height();
    PlaceClient();
    LayoutPanels();
    UpdateScrollInfo();
}

void TimerListCtrl::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    // The panels have their new font already (a font reaches the children first); their rows
    // are taller or shorter now, so they are stacked again.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        LayoutPanels();
        UpdateScrollInfo();
    }
}

void TimerListCtrl::wheelEvent(QWheelEvent* event) {
    OnMouseWheel(event->angleDelta().y());
    event->accept();
}

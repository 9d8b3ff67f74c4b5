#include "gui/editor/TimerListCtrl.h"

#include <QApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

#include "core/TimerProgram.h"
#include "gui/common/SystemColors.h"
#include "gui/editor/EditorEvents.h"
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
    connect(panel, &TimerPanel::selectionChanged, this, &TimerListCtrl::selectionChanged);
    connect(panel, &TimerPanel::captionDoubleClicked, this, [this, panel] {
        const auto found = std::find(panels.begin(), panels.begin() + panelCount, panel);
        if (found != panels.begin() + panelCount) {
            emit captionDoubleClicked(static_cast<int>(found - panels.begin()));
        }
    });
    return panel;
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

bool TimerListCtrl::Select(int index, int row) {
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
    panel->SelectRow(row);
    return true;
}

int TimerListCtrl::GetRowCount(int index) const {
    return IsPanel(index) ? panels[static_cast<std::size_t>(index)]->GetRowCount() : -1;
}

int TimerListCtrl::GetTimerNumber(int index) const {
    return IsPanel(index) ? panels[static_cast<std::size_t>(index)]->GetTimerNumber() : -1;
}

int TimerListCtrl::GetMemoryUsed() const {
    int bytes = 0;
    for (int i = 0; i < panelCount; ++i) {
        bytes += panels[static_cast<std::size_t>(i)]->GetMemoryBytes();
    }
    return bytes;
}

bool TimerListCtrl::IsBlockStart(int index, int row) const {
    return IsPanel(index) && panels[static_cast<std::size_t>(index)]->IsBlockStart(row);
}

void TimerListCtrl::LoadProgram(TimerProgram& program) {
    program.ResetCursor();
    const TimerBlock* block = program.GetCursor();
    while (block != nullptr) {
        const int timerNumber = block->GetTimerNumber();
        const int index = AddPanel(timerNumber);
        Select(index, -1);
        while (block != nullptr && block->GetTimerNumber() == timerNumber) {
            for (int i = 0; i < block->GetCount(); ++i) {
                const Interval* interval = block->GetInterval(i);
                AddRow(index, interval->IsOn(), interval->GetHours(), interval->GetMinutes(),
                       interval->GetSeconds(), interval->GetTicks(), i == 0);
            }
            block = program.MoveNext();
        }
    }
    Select(0, -1);
    LayoutPanels();
    UpdateScrollInfo();
}

void TimerListCtrl::BuildProgram(TimerProgram& program) const {
    for (int i = 0; i < panelCount; ++i) {
        const TimerPanel* panel = panels[static_cast<std::size_t>(i)];
        auto block = std::make_unique<TimerBlock>();
        block->SetTimerNumber(panel->GetTimerNumber());
        for (int row = 0; row < panel->GetRowCount(); ++row) {
            if (row != 0 && panel->IsBlockStart(row)) {
                program.AddBlock(std::move(block));
                block = std::make_unique<TimerBlock>();
                block->SetTimerNumber(panel->GetTimerNumber());
            }
            bool on = false;
            std::uint32_t hours = 0, minutes = 0, seconds = 0, ticks = 0;
            panel->ReadRow(row, on, hours, minutes, seconds, ticks);
            Interval interval;
            interval.Set(on, hours, minutes, seconds, ticks);
            block->AddInterval(interval);
        }
        program.AddBlock(std::move(block));
    }
}

bool TimerListCtrl::FindUnreadableRow(int& index, int& row) const {
    for (int i = 0; i < panelCount; ++i) {
        const TimerPanel* panel = panels[static_cast<std::size_t>(i)];
        for (int r = 0; r < panel->GetRowCount(); ++r) {
            if (!panel->IsRowReadable(r)) {
                index = i;
                row = r;
                return true;
            }
        }
    }
    index = -1;
    row = -1;
    return false;
}

EditorState TimerListCtrl::GetState() const {
    EditorState state;
    state.panels.reserve(static_cast<std::size_t>(panelCount));
    for (int i = 0; i < panelCount; ++i) {
        const TimerPanel* panel = panels[static_cast<std::size_t>(i)];
        PanelState& timer = state.panels.emplace_back();
        timer.timerNumber = panel->GetTimerNumber();
        timer.rows.reserve(static_cast<std::size_t>(panel->GetRowCount()));
        for (int row = 0; row < panel->GetRowCount(); ++row) {
            timer.rows.push_back(RowState{panel->IsRowOn(row), panel->GetRowText(row).toStdString(),
                                          panel->IsBlockStart(row)});
        }
    }
    GetSelection(state.selection.panel, state.selection.row);
    return state;
}

void TimerListCtrl::FillPanel(int index, const PanelState& state) {
    TimerPanel* panel = panels[static_cast<std::size_t>(index)];
    if (panel->GetTimerNumber() != state.timerNumber) {
        panel->SetTimerNumber(state.timerNumber);
    }
    const int rows = static_cast<int>(state.rows.size());
    while (panel->GetRowCount() > rows) {
        panel->DeleteRow(panel->GetRowCount() - 1);
    }
    while (panel->GetRowCount() < rows) {
        panel->AddRow(false, 0, 0, 0, 0, false);
    }
    for (int row = 0; row < rows; ++row) {
        const RowState& wanted = state.rows[static_cast<std::size_t>(row)];
        panel->SetRow(row, wanted.on, QString::fromStdString(wanted.text), wanted.blockStart);
    }
}

void TimerListCtrl::SetState(const EditorState& state) {
    const EditorState shown = GetState();
    const std::size_t have = shown.panels.size();
    const std::size_t want = std::min(state.panels.size(), static_cast<std::size_t>(kMaxPanels));
    // Only the stretch between the panels that are alike at both ends changes; one undo step
    // then touches one or two panels, however long the program.
    std::size_t head = 0;
    while (head < have && head < want && shown.panels[head] == state.panels[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < have - head && tail < want - head &&
           shown.panels[have - 1 - tail] == state.panels[want - 1 - tail]) {
        ++tail;
    }
    const std::size_t oldMiddle = have - head - tail;
    const std::size_t newMiddle = want - head - tail;
    const std::size_t common = std::min(oldMiddle, newMiddle);
    for (std::size_t i = 0; i < common; ++i) {
        FillPanel(static_cast<int>(head + i), state.panels[head + i]);
    }
    for (std::size_t i = common; i < oldMiddle; ++i) {
        RemovePanelAt(static_cast<int>(head + common));
    }
    for (std::size_t i = common; i < newMiddle; ++i) {
        const int index =
            InsertPanel(static_cast<int>(head + i), state.panels[head + i].timerNumber);
        FillPanel(index, state.panels[head + i]);
    }
    LayoutPanels();
    UpdateScrollInfo();
    Select(state.selection.panel, state.selection.row);
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
    for (int i = 0; i < panelCount; ++i) {
        panels[static_cast<std::size_t>(i)]->Deactivate();
    }
}

void TimerListCtrl::OnProgramModified() {
    if (QWidget* owner = parentWidget()) {
        QEvent modified(WMU_PROGRAM_MODIFIED);
        QCoreApplication::sendEvent(owner, &modified);
    }
}

bool TimerListCtrl::event(QEvent* event) {
    if (event->type() == WMU_PANEL_ACTIVATING) {
        OnPanelActivating();
        return true;
    }
    if (event->type() == WMU_PROGRAM_MODIFIED) {
        OnProgramModified();
        return true;
    }
    return QFrame::event(event);
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

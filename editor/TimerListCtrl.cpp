#include "TimerListCtrl.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

#include "EditorEvents.h"
#include "SystemColors.h"
#include "TimerPanel.h"
#include "TimerProgram.h"

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

ScrollStep ComputeScroll(ScrollCode code, int position, int limit, int thumb) {
    switch (code) {
        case ScrollCode::LineUp:
            return ScrollUp(position, kLineScrollStep);
        case ScrollCode::LineDown:
            return ScrollDown(position, limit, kLineScrollStep);
        case ScrollCode::PageUp:
            return ScrollUp(position, kPageScrollStep);
        case ScrollCode::PageDown:
            return ScrollDown(position, limit, kPageScrollStep);
        case ScrollCode::ThumbTrack: {
            const int target = std::clamp(thumb, 0, std::max(0, limit));
            return ScrollStep{position - target, 0, target};
        }
        case ScrollCode::Other:
            break;
    }
    return ScrollStep{0, 0, position};
}

ScrollStep ComputeWheel(int delta, int position, int limit) {
    if (delta > 0) {
        return ScrollUp(position, kWheelScrollStep);
    }
    if (delta < 0) {
        return ScrollDown(position, limit, kWheelScrollStep);
    }
    return ScrollStep{0, 0, position};
}

int LayoutWidth(int listWidth, int listHeight, int lastBottom) {
    return lastBottom >= listHeight ? listWidth - kScrollBarRoom : listWidth;
}

std::vector<int> LayoutTops(const std::vector<int>& rowCounts) {
    std::vector<int> tops;
    tops.reserve(rowCounts.size() + 1);
    int top = 0;
    tops.push_back(top);
    for (int rows : rowCounts) {
        top += (rows + 1) * TimerPanel::kRowHeight;
        tops.push_back(top);
    }
    return tops;
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
    setFixedSize(rect.size());

    client = new ListClient(this);
    scrollBar = new QScrollBar(Qt::Vertical, this);
    // The bar's own menu would move it behind the list's back.
    scrollBar->setContextMenuPolicy(Qt::NoContextMenu);
    scrollBar->setFocusPolicy(Qt::NoFocus);
    scrollBar->installEventFilter(this);
    connect(scrollBar, &QScrollBar::actionTriggered, this, &TimerListCtrl::OnScrollAction);
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

int TimerListCtrl::AddPanel(int timerNumber) {
    if (panelCount + 1 > kMaxPanels) {
        return -1;
    }
    const int top =
        panelCount == 0 ? 0 : panels[static_cast<std::size_t>(panelCount - 1)]->GetBottom();
    panels[static_cast<std::size_t>(panelCount)] =
        new TimerPanel(timerNumber, nextPanelId, this, top, width, client);
    setFocus(Qt::OtherFocusReason);
    ++nextPanelId;
    return panelCount++;
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
    delete panels[static_cast<std::size_t>(index)];
    std::move(panels.begin() + index + 1, panels.begin() + panelCount, panels.begin() + index);
    --panelCount;
    panels[static_cast<std::size_t>(panelCount)] = nullptr;
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
}

void TimerListCtrl::LayoutPanels() {
    if (panelCount == 0) {
        return;
    }
    // Heights do not depend on the width, so the last bottom is known before placing anything
    // and the width is chosen once, from the layout the bar will follow.
    int lastBottom = 0;
    for (int i = 0; i < panelCount; ++i) {
        lastBottom +=
            (panels[static_cast<std::size_t>(i)]->GetRowCount() + 1) * TimerPanel::kRowHeight;
    }
    const int panelWidth = LayoutWidth(width, height, lastBottom);
    int top = 0;
    for (int i = 0; i < panelCount; ++i) {
        TimerPanel* panel = panels[static_cast<std::size_t>(i)];
        panel->Move(top, panelWidth);
        top = panel->GetBottom();
    }
    // The panels now stand at their unscrolled places.
    if (position != 0) {
        position = 0;
        scrollBar->setValue(0);
    }
    update();
}

void TimerListCtrl::UpdateScrollInfo() {
    const int rangeMax =
        panelCount > 0 ? panels[static_cast<std::size_t>(panelCount - 1)]->GetBottom() : 0;
    limit = ScrollLimit(rangeMax, height);
    position = 0;
    scrollBar->setRange(0, limit);
    scrollBar->setPageStep(height);
    scrollBar->setValue(0);
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
    Apply(ComputeScroll(code, position, limit, thumbPosition));
}

void TimerListCtrl::OnMouseWheel(int delta) {
    Apply(ComputeWheel(delta, position, limit));
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

void TimerListCtrl::wheelEvent(QWheelEvent* event) {
    OnMouseWheel(event->angleDelta().y());
    event->accept();
}

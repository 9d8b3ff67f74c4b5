#include "gui/transfer/PresentPaneClock.h"

#include <xcb/present.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "core/FrameScheduler.h"

namespace {

// Swaps queued ahead of the one last shown: enough to ride out a busy GUI thread, few enough
// that a late showing still lets later swaps follow it.
constexpr std::uint32_t kQueuedAhead = 6;
// The first swap's earliest frame after the latest one reported: time to queue it.
constexpr std::int64_t kFirstSwapLead = 2;

// The panes' window: the X server shows the queued pixmaps in it, and Qt must never paint it.
class PresentSurface : public QWidget {
public:
    explicit PresentSurface(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setObjectName(QStringLiteral("presentPanes"));
    }
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {}
};

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

std::uint32_t PixelOf(QColor colour) {
    return colour.rgb() & 0xFFFFFFu;  // a TrueColor visual, as every X server today has
}

void Fill(xcb_connection_t* connection, std::uint32_t drawable, std::uint32_t gc, QRect rect,
          std::uint32_t pixel) {
    xcb_change_gc(connection, gc, XCB_GC_FOREGROUND, &pixel);
    const xcb_rectangle_t area = {
        static_cast<std::int16_t>(rect.x()), static_cast<std::int16_t>(rect.y()),
        static_cast<std::uint16_t>(rect.width()), static_cast<std::uint16_t>(rect.height())};
    xcb_poly_fill_rectangle(connection, drawable, gc, 1, &area);
}

}  // namespace

PresentPaneClock::~PresentPaneClock() {
    End();
}

bool PresentPaneClock::Connect() {
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        Disconnect();
        return false;
    }
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_present_id);
    if (extension == nullptr || extension->present == 0) {
        Disconnect();
        return false;
    }
    presentOpcode = extension->major_opcode;
    const std::unique_ptr<xcb_present_query_version_reply_t, FreeReply> version(
        xcb_present_query_version_reply(
            connection, xcb_present_query_version(connection, XCB_PRESENT_MAJOR_VERSION, 0),
            nullptr));
    if (!version) {
        Disconnect();
        return false;
    }
    return true;
}

bool PresentPaneClock::Begin(PaneClockHost newHost) {
    host = std::move(newHost);
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (host.dialog == nullptr || x11 == nullptr || !Connect()) {
        return false;
    }
    ForgetPresented();
    const QScreen* screen = host.dialog->screen();
    nominalHz = screen != nullptr ? screen->refreshRate() : 0.0;
    surface = new PresentSurface(host.dialog);
    surface->setGeometry(host.leftPane().united(host.rightPane()));
    window = static_cast<std::uint32_t>(surface->winId());
    surface->show();
    // Qt made the window on its own connection; it must exist before this one names it.
    xcb_flush(x11->connection());
    DrawPixmaps();

    eventId = xcb_generate_id(connection);
    xcb_present_select_input(connection, eventId, window, XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY);
    // The panes at rest until the first swap; then a notice of every frame, to measure them.
    xcb_present_pixmap(connection, window, pixmaps[0], 0, 0, 0, 0, 0, 0, 0, 0,
                       XCB_PRESENT_OPTION_NONE, 0, 0, 0, 0, nullptr);
    xcb_present_notify_msc(connection, window, 0, 0, 0, 0);
    xcb_flush(connection);
    notifier =
        new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &PresentPaneClock::OnEvents);
    running = true;
    return true;
}

void PresentPaneClock::DrawPixmaps() {
    const qreal ratio = surface->devicePixelRatioF();
    const QRect origin = surface->geometry();
    const auto scaled = [&](QRect rect) {
        rect.translate(-origin.topLeft());
        return QRect(qRound(rect.x() * ratio), qRound(rect.y() * ratio),
                     qRound(rect.width() * ratio), qRound(rect.height() * ratio));
    };
    const QRect all = scaled(origin);
    const QRect left = scaled(host.leftPane());
    const QRect right = scaled(host.rightPane());
    const std::unique_ptr<xcb_get_geometry_reply_t, FreeReply> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    const std::uint8_t depth = geometry ? geometry->depth : 24;
    const std::uint32_t background = PixelOf(host.dialog->palette().window().color());
    constexpr std::uint32_t kBlackPixel = 0x000000;
    constexpr std::uint32_t kWhitePixel = 0xFFFFFF;
    for (int state = 0; state < 2; ++state) {
        pixmaps[state] = xcb_generate_id(connection);
        xcb_create_pixmap(connection, depth, pixmaps[state], window,
                          static_cast<std::uint16_t>(all.width()),
                          static_cast<std::uint16_t>(all.height()));
        const xcb_gcontext_t gc = xcb_generate_id(connection);
        xcb_create_gc(connection, gc, pixmaps[state], 0, nullptr);
        Fill(connection, pixmaps[state], gc, all, background);
        // As the dialog paints them: a 1-pixel black frame round each pane.
        const bool leftWhite = state == 1;
        for (const auto& [pane, white] :
             {std::pair{left, leftWhite}, std::pair{right, !leftWhite}}) {
            Fill(connection, pixmaps[state], gc, pane, kBlackPixel);
            Fill(connection, pixmaps[state], gc, pane.adjusted(1, 1, -1, -1),
                 white ? kWhitePixel : kBlackPixel);
        }
        xcb_free_gc(connection, gc);
    }
}

void PresentPaneClock::Send(FrameScheduler& newScheduler) {
    scheduler = &newScheduler;
    queued = 0;
    completed = 0;
    Queue();
}

void PresentPaneClock::Queue() {
    while (scheduler != nullptr && queued < completed + kQueuedAhead) {
        const std::uint32_t serial = queued + 1;
        const std::optional<std::int64_t> target =
            scheduler->QueueNext(serial, static_cast<std::int64_t>(lastFrame) + kFirstSwapLead);
        if (!target) {
            break;
        }
        // Swap 1 turns the left pane white, swap 2 black again.
        xcb_present_pixmap(connection, window, pixmaps[queued % 2 == 0 ? 1 : 0], serial, 0, 0, 0, 0,
                           0, 0, 0, XCB_PRESENT_OPTION_NONE, static_cast<std::uint64_t>(*target), 0,
                           0, 0, nullptr);
        ++queued;
    }
    xcb_flush(connection);
}

void PresentPaneClock::OnEvents() {
    while (connection != nullptr) {
        const std::unique_ptr<xcb_generic_event_t, FreeReply> event(xcb_poll_for_event(connection));
        if (!event) {
            break;
        }
        auto* complete = reinterpret_cast<xcb_present_complete_notify_event_t*>(event.get());
        if ((event->response_type & 0x7F) != XCB_GE_GENERIC ||
            complete->extension != presentOpcode ||
            complete->event_type != XCB_PRESENT_COMPLETE_NOTIFY) {
            continue;
        }
        const auto us = static_cast<std::int64_t>(complete->ust);
        const auto frame = static_cast<std::int64_t>(complete->msc);
        lastFrame = std::max<std::uint64_t>(lastFrame, complete->msc);
        if (complete->kind == XCB_PRESENT_COMPLETE_KIND_NOTIFY_MSC) {
            NotePresented(us);
            xcb_present_notify_msc(connection, window, 0, complete->msc + 1, 0, 0);
            xcb_flush(connection);
        } else if (complete->serial > 0 && scheduler != nullptr) {
            host.swapColours();
            ++completed;
            scheduler->OnPresented(complete->serial, us, frame);
            Queue();
        }
    }
    if (connection != nullptr && xcb_connection_has_error(connection) != 0) {
        End();
    }
}

void PresentPaneClock::End() {
    running = false;
    scheduler = nullptr;
    Disconnect();
    delete surface;
    surface = nullptr;
}

void PresentPaneClock::Disconnect() {
    delete notifier;
    notifier = nullptr;
    if (connection != nullptr) {
        // The server frees the pixmaps and the event selection with the connection.
        xcb_disconnect(connection);
        connection = nullptr;
    }
}

std::int64_t PresentPaneClock::NowUs() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000 + now.tv_nsec / 1'000;
}

#include "gui/transfer/ScreenAwake.h"

#include <QCoreApplication>
#include <optional>

#ifdef TIMER_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#endif

namespace {

class NoScreenAwake : public ScreenAwake {
public:
    void Hold(const std::string&) override {}
    void Release() override {}
};

#ifdef TIMER_HAVE_DBUS
// org.freedesktop.ScreenSaver: Inhibit(application, reason) gives a cookie that UnInhibit
// takes back. The service also drops the hold when our bus connection closes.
class DBusScreenAwake : public ScreenAwake {
public:
    void Hold(const std::string& reason) override {
        Release();
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) {
            return;
        }
        QDBusMessage call = Method(QStringLiteral("Inhibit"));
        QString application = QCoreApplication::applicationName();
        if (application.isEmpty()) {
            application = QStringLiteral("tavrel-timer");
        }
        call << application << QString::fromStdString(reason);
        const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
            cookie = reply.arguments().constFirst().toUInt();
        }
    }

    void Release() override {
        if (!cookie) {
            return;
        }
        QDBusMessage call = Method(QStringLiteral("UnInhibit"));
        call << *cookie;
        cookie.reset();
        QDBusConnection::sessionBus().call(call, QDBus::Block, kTimeoutMs);
    }

    ~DBusScreenAwake() override { Release(); }

private:
    // A desktop that does not answer must not hold up the Start button for long.
    static constexpr int kTimeoutMs = 1000;

    static QDBusMessage Method(const QString& name) {
        return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                              QStringLiteral("/org/freedesktop/ScreenSaver"),
                                              QStringLiteral("org.freedesktop.ScreenSaver"), name);
    }

    std::optional<unsigned> cookie;
};
#endif

}  // namespace

std::unique_ptr<ScreenAwake> MakeScreenAwake() {
#ifdef TIMER_HAVE_DBUS
    return std::make_unique<DBusScreenAwake>();
#else
    return std::make_unique<NoScreenAwake>();
#endif
}

// SPDX-License-Identifier: MIT
#include "platform/ui/window_activation.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

namespace platform
{

namespace
{

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return found;
}

xcb_window_t rootOf(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// Ends the launcher's busy cursor: the start that carried the id showed no window, so nobody else will.
void endStartupNotification(xcb_connection_t* connection, xcb_window_t window, const QByteArray& startupId)
{
    QByteArray message = "remove: ID=\"" + startupId + "\"";
    message.append('\0');
    const xcb_atom_t begin = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = window;
        event.type = at == 0 ? begin : more;
        const QByteArray chunk = message.mid(at, 20);
        std::copy(chunk.begin(), chunk.end(), event.data.data8);
        xcb_send_event(
            connection, 0, rootOf(connection), XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&event));
    }
}

// What a launcher's own window would do: name its start-up id on the window and ask for activation at the time the
// user asked for it.
void activateOnX11(xcb_connection_t* connection, xcb_window_t window, const QByteArray& startupId)
{
    const xcb_atom_t startupProperty = atom(connection, "_NET_STARTUP_ID");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, startupProperty, atom(connection, "UTF8_STRING"), 8,
        static_cast<uint32_t>(startupId.size()), startupId.constData());
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(connection, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 1; // from an application
    event.data.data32[1] = StartupIdTime(startupId).value_or(XCB_CURRENT_TIME);
    xcb_send_event(connection, 0, rootOf(connection),
        XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
        reinterpret_cast<const char*>(&event));
    endStartupNotification(connection, window, startupId);
    xcb_flush(connection);
}

} // namespace

std::optional<quint32> StartupIdTime(const QByteArray& startupId)
{
    const qsizetype at = startupId.lastIndexOf("_TIME");
    if (at < 0)
        return std::nullopt;
    bool ok = false;
    const quint32 time = startupId.mid(at + 5).toUInt(&ok);
    return ok ? std::optional(time) : std::nullopt;
}

QWidget* WindowToBringForward(QWidget* fallback)
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : fallback;
}

void BringForward(QWidget* window, const ActivationRequest& request)
{
    if (!window)
        return;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    if (!request.activationToken.isEmpty()) // Wayland's compositor reads the token when the window asks
        qputenv("XDG_ACTIVATION_TOKEN", request.activationToken);
    window->activateWindow();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && !request.startupId.isEmpty())
        activateOnX11(x11->connection(), static_cast<xcb_window_t>(window->winId()), request.startupId);
}

} // namespace platform

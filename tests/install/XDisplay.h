#pragma once
// A private X server for one test (Xvfb, which picks a free display number itself) and a small
// X client that sees the windows on it as a window manager does and asks one to close.
#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

// Xvfb on a display of its own choosing: -displayfd makes it write the number once it accepts
// connections, so parallel tests never race for a display.
class VirtualScreen {
public:
    static QString serverProgram() {
        return QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    }

    // Empty when the server could not be started; the reason is then in error().
    QString start(QSize size) {
        const QString geometry = QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height());
        m_server.start(serverProgram(), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                         QStringLiteral("-screen"), QStringLiteral("0"), geometry,
                                         QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        while (m_server.waitForReadyRead(10000)) {
            m_output += m_server.readAllStandardOutput();
            if (m_output.endsWith('\n'))
                return QStringLiteral(":") + QString::fromLatin1(m_output.trimmed());
        }
        return {};
    }

    QString error() {
        return m_server.errorString() + QStringLiteral("; ") +
               QString::fromLocal8Bit(m_server.readAllStandardError());
    }

    ~VirtualScreen() {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }

private:
    QProcess m_server;
    QByteArray m_output;
};

class XClient {
public:
    explicit XClient(const QString& display)
        : m_connection(xcb_connect(display.toLocal8Bit().constData(), nullptr)) {}
    ~XClient() { xcb_disconnect(m_connection); }
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool connected() const { return xcb_connection_has_error(m_connection) == 0; }

    // The mapped top-level window of the process with this id, or 0 while it has none.
    xcb_window_t shownWindowOf(qint64 pid) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, root), nullptr));
        if (!tree) return 0;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        const xcb_atom_t pidAtom = atom("_NET_WM_PID");
        for (int i = 0; i < count; ++i) {
            const QByteArray value = property(children[i], pidAtom, XCB_ATOM_CARDINAL);
            std::uint32_t windowPid = 0;
            if (value.size() != sizeof windowPid) continue;
            std::memcpy(&windowPid, value.constData(), sizeof windowPid);
            if (windowPid == pid && isViewable(children[i])) return children[i];
        }
        return 0;
    }

    bool isViewable(xcb_window_t window) {
        const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    QSize size(xcb_window_t window) {
        const Reply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
        return geometry ? QSize(geometry->width, geometry->height) : QSize();
    }

    // WM_CLASS holds the instance and the class name, each ending in a zero byte.
    QStringList windowClass(xcb_window_t window) {
        QByteArray value = property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
        if (value.endsWith('\0')) value.chop(1);
        QStringList names;
        for (const QByteArray& name : value.split('\0'))
            names << QString::fromUtf8(name);
        return names;
    }

    // What a window manager sends when the user clicks the close button: WM_DELETE_WINDOW.
    void askToClose(xcb_window_t window) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom("WM_PROTOCOLS");
        message.data.data32[0] = atom("WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(m_connection);
    }

private:
    struct FreeReply {
        void operator()(void* reply) const { std::free(reply); }
    };
    template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

    xcb_atom_t atom(const char* name) {
        const auto length = static_cast<std::uint16_t>(std::strlen(name));
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, length, name), nullptr));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    QByteArray property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, name, type, 0, 1024), nullptr));
        if (!reply) return {};
        return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
    }

    xcb_connection_t* m_connection;
};

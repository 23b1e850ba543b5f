#include "DisplayHold.h"

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// The waits between attempts double from the first up to the last, for at
// most this long in all: a reset takes milliseconds on an idle machine and
// can take a good part of a second on a loaded one.
constexpr std::chrono::milliseconds kFirstWait{10};
constexpr std::chrono::milliseconds kLongestWait{250};
constexpr std::chrono::milliseconds kPatience{4000};

// Whether Qt will start its X11 platform: named, or chosen by default where
// no Wayland session would make it choose otherwise.
bool qtWillUseX11()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty())
        return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return platform.startsWith("xcb");
}

bool acceptsConnection(const std::string &path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() + 1 > sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + (abstract ? 1 : 0), path.data(), path.size());
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + (abstract ? 1 : 0));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), length) == 0;
    ::close(fd);
    return connected;
}

// Whether an X server listens on the display: for a local display, whether
// its socket takes a connection (a connection closed before its setup is no
// client to the server and does not make it reset); a display elsewhere is
// given the benefit of the doubt.
bool serverListens()
{
    char *host = nullptr;
    int display = 0;
    if (!xcb_parse_display(nullptr, &host, &display, nullptr))
        return false;
    const bool local = host[0] == '\0' || std::strcmp(host, "unix") == 0;
    std::free(host);
    if (!local)
        return true;
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(display);
    return acceptsConnection(path, true) || acceptsConnection(path, false);
}

} // namespace

DisplayHold::DisplayHold()
{
    if (!qtWillUseX11())
        return;
    std::chrono::milliseconds wait = kFirstWait;
    std::chrono::milliseconds waited{0};
    for (;;) {
        m_connection = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(m_connection))
            return;
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        // No server, or no more patience: Qt tries once more and reports it.
        if (waited >= kPatience || !serverListens())
            return;
        std::this_thread::sleep_for(wait);
        waited += wait;
        wait = std::min(wait * 2, kLongestWait);
    }
}

DisplayHold::~DisplayHold()
{
    release();
}

void DisplayHold::release()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    m_connection = nullptr;
}

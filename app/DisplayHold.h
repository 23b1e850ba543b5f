#pragma once
// An X connection of the program's own, held while Qt opens its display.
//
// An X server that has no clients left resets itself, and a connection that
// arrives during the reset is closed before it is set up. Qt takes that as a
// display it cannot open and ends the program; on a busy machine a window
// started just as another program ended met it in a few starts in a hundred.
// DisplayHold connects first and, while a server is listening but closes the
// connection, tries again for a few seconds; once connected it keeps the
// server from resetting until Qt holds a connection of its own. Where Qt will
// not use X (another platform, a Wayland session, no DISPLAY) it does nothing.
//
//     DisplayHold display;
//     TApplication app(argc, argv);
//     display.release();
struct xcb_connection_t;

class DisplayHold
{
public:
    DisplayHold();
    ~DisplayHold();
    DisplayHold(const DisplayHold &) = delete;
    DisplayHold &operator=(const DisplayHold &) = delete;

    // Closes the held connection (Qt holds its own by now).
    void release();

private:
    xcb_connection_t *m_connection = nullptr;
};

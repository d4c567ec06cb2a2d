// SPDX-License-Identifier: GPL-3.0-or-later
// A seat for the Wayland tests: a module the real compositor (weston, headless)
// loads, which gives it a keyboard and a pointer the test drives through a Unix
// socket, and which tells the test what a user would see: where the windows
// are, which has the keyboard, what the clipboard holds.
//
// One command per line; every answer ends with a line holding only ".".
//   views                   every mapped view, top first: "x y width height focus scale title",
//                           focus 1 where it has the keyboard, scale its buffer's scale
//   move X Y                the pointer to X, Y on the desktop
//   button N 1|0            presses (1) or releases (0) the button with evdev code N
//   key N 1|0               presses or releases the key with evdev code N
//   clipboard               the selection's serial (it changes with each copy), then
//                           its text (UTF-8), or "!" when there is none
// The socket's path comes from SURASURA_WESTON_SEAT.
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

extern "C" {
#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>

// The compositor's seat and input entry points, which its backends call; the
// public headers leave them out.
void weston_seat_init(struct weston_seat* seat, struct weston_compositor* ec, const char* seat_name);
void weston_seat_init_pointer(struct weston_seat* seat);
int weston_seat_init_keyboard(struct weston_seat* seat, struct xkb_keymap* keymap);
void weston_seat_release(struct weston_seat* seat);
void notify_motion_absolute(struct weston_seat* seat, const struct timespec* time, double x, double y);
void notify_button(struct weston_seat* seat, const struct timespec* time, int32_t button,
                   enum wl_pointer_button_state state);
void notify_pointer_frame(struct weston_seat* seat);
void notify_key(struct weston_seat* seat, const struct timespec* time, uint32_t key,
                enum wl_keyboard_key_state state, enum weston_key_state_update update_state);
}

namespace {

struct TSeatServer;

// One connected test: its socket and what it has sent but not yet ended with a
// newline.
struct TClient {
  TSeatServer* Server = nullptr;
  int Fd = -1;
  wl_event_source* Source = nullptr;
  std::string Pending;
};

struct TSeatServer {
  weston_compositor* Compositor = nullptr;
  weston_seat Seat{};
  int ListenFd = -1;
  wl_event_source* ListenSource = nullptr;
  wl_listener Destroy{};
};

void Reply(TClient& Client, const std::string& Text) {
  const std::string Whole = Text + ".\n";
  size_t Sent = 0;
  while (Sent < Whole.size()) {
    const ssize_t N = write(Client.Fd, Whole.data() + Sent, Whole.size() - Sent);
    if (N <= 0) return;
    Sent += static_cast<size_t>(N);
  }
}

timespec Now(weston_compositor* Compositor) {
  timespec Time{};
  weston_compositor_get_time(&Time);
  (void)Compositor;
  return Time;
}

std::string TitleOf(weston_surface* Surface) {
  weston_surface* Main = weston_surface_get_main_surface(Surface);
  if (!weston_surface_is_desktop_surface(Main)) return "";
  const char* Title = weston_desktop_surface_get_title(weston_surface_get_desktop_surface(Main));
  return Title ? Title : "";
}

std::string Views(TSeatServer& Server) {
  weston_keyboard* Keyboard = weston_seat_get_keyboard(&Server.Seat);
  weston_surface* Focus = Keyboard ? Keyboard->focus : nullptr;
  std::ostringstream Out;
  weston_view* View = nullptr;
  wl_list_for_each(View, &Server.Compositor->view_list, link) {
    if (!weston_view_is_mapped(View) || View->surface->width <= 0) continue;
    // Shells draw their own backgrounds and panels as views without a desktop surface.
    if (!weston_surface_is_desktop_surface(weston_surface_get_main_surface(View->surface))) continue;
    const pixman_box32_t* Box = pixman_region32_extents(&View->transform.boundingbox);
    Out << Box->x1 << ' ' << Box->y1 << ' ' << (Box->x2 - Box->x1) << ' ' << (Box->y2 - Box->y1) << ' '
        << (View->surface == Focus ? 1 : 0) << ' ' << View->surface->buffer_viewport.buffer.scale << ' '
        << TitleOf(View->surface) << '\n';
  }
  return Out.str();
}

// The selection's text arrives through a pipe the owner writes at its own pace;
// the answer goes out once the owner has closed it.
struct TClipboardRead {
  TClient* Client;
  uint32_t Serial;
  int Fd;
  wl_event_source* Source;
  std::string Text;
};

int OnClipboardData(int Fd, uint32_t, void* Data) {
  auto* Read = static_cast<TClipboardRead*>(Data);
  char Buffer[4096];
  const ssize_t N = read(Fd, Buffer, sizeof Buffer);
  if (N > 0) {
    Read->Text.append(Buffer, static_cast<size_t>(N));
    return 0;
  }
  Reply(*Read->Client, std::to_string(Read->Serial) + "\n" + Read->Text + "\n");
  wl_event_source_remove(Read->Source);
  close(Fd);
  delete Read;
  return 0;
}

void ReadClipboard(TClient& Client) {
  const uint32_t Serial = Client.Server->Seat.selection_serial;
  weston_data_source* Source = Client.Server->Seat.selection_data_source;
  int Ends[2];
  if (Source == nullptr || pipe2(Ends, O_CLOEXEC) != 0) {
    Reply(Client, std::to_string(Serial) + "\n!\n");
    return;
  }
  auto* Read = new TClipboardRead{&Client, Serial, Ends[0], nullptr, {}};
  wl_event_loop* Loop = wl_display_get_event_loop(Client.Server->Compositor->wl_display);
  Read->Source = wl_event_loop_add_fd(Loop, Ends[0], WL_EVENT_READABLE, OnClipboardData, Read);
  Source->send(Source, "text/plain;charset=utf-8", Ends[1]);  // the compositor closes the write end
}

void Run(TClient& Client, const std::string& Line) {
  TSeatServer& Server = *Client.Server;
  std::istringstream In(Line);
  std::string Command;
  In >> Command;
  const timespec Time = Now(Server.Compositor);
  if (Command == "views") {
    Reply(Client, Views(Server));
  } else if (Command == "move") {
    double X = 0, Y = 0;
    In >> X >> Y;
    notify_motion_absolute(&Server.Seat, &Time, X, Y);
    notify_pointer_frame(&Server.Seat);
    Reply(Client, "");
  } else if (Command == "button") {
    int Code = 0, Down = 0;
    In >> Code >> Down;
    notify_button(&Server.Seat, &Time, Code,
                  Down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
    notify_pointer_frame(&Server.Seat);
    Reply(Client, "");
  } else if (Command == "key") {
    unsigned Code = 0;
    int Down = 0;
    In >> Code >> Down;
    notify_key(&Server.Seat, &Time, Code, Down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED,
               STATE_UPDATE_AUTOMATIC);
    Reply(Client, "");
  } else if (Command == "clipboard") {
    ReadClipboard(Client);
  } else {
    Reply(Client, "! unknown command " + Command + "\n");
  }
}

int OnClientData(int Fd, uint32_t Mask, void* Data) {
  auto* Client = static_cast<TClient*>(Data);
  char Buffer[1024];
  const ssize_t N = (Mask & WL_EVENT_READABLE) ? read(Fd, Buffer, sizeof Buffer) : 0;
  if (N <= 0) {
    wl_event_source_remove(Client->Source);
    close(Fd);
    delete Client;
    return 0;
  }
  Client->Pending.append(Buffer, static_cast<size_t>(N));
  for (size_t End; (End = Client->Pending.find('\n')) != std::string::npos;) {
    const std::string Line = Client->Pending.substr(0, End);
    Client->Pending.erase(0, End + 1);
    Run(*Client, Line);
  }
  return 0;
}

int OnConnect(int Fd, uint32_t, void* Data) {
  auto* Server = static_cast<TSeatServer*>(Data);
  const int Connection = accept4(Fd, nullptr, nullptr, SOCK_CLOEXEC);
  if (Connection < 0) return 0;
  auto* Client = new TClient{Server, Connection, nullptr, {}};
  wl_event_loop* Loop = wl_display_get_event_loop(Server->Compositor->wl_display);
  Client->Source = wl_event_loop_add_fd(Loop, Connection, WL_EVENT_READABLE, OnClientData, Client);
  return 0;
}

void OnCompositorDestroy(wl_listener* Listener, void*) {
  TSeatServer* Server = wl_container_of(Listener, Server, Destroy);
  wl_event_source_remove(Server->ListenSource);
  close(Server->ListenFd);
  weston_seat_release(&Server->Seat);
  delete Server;
}

}  // namespace

extern "C" WL_EXPORT int wet_module_init(weston_compositor* Compositor, int*, char*[]) {
  const char* Path = getenv("SURASURA_WESTON_SEAT");
  sockaddr_un Address{};
  if (Path == nullptr || strlen(Path) >= sizeof Address.sun_path) {
    weston_log("weston_seat: SURASURA_WESTON_SEAT names no usable socket path\n");
    return -1;
  }
  auto* Server = new TSeatServer;
  Server->Compositor = Compositor;
  weston_seat_init(&Server->Seat, Compositor, "test-seat");
  weston_seat_init_pointer(&Server->Seat);
  if (weston_seat_init_keyboard(&Server->Seat, nullptr) != 0) {
    weston_log("weston_seat: no keyboard\n");
    return -1;
  }
  Address.sun_family = AF_UNIX;
  strcpy(Address.sun_path, Path);
  unlink(Path);
  Server->ListenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (Server->ListenFd < 0 || bind(Server->ListenFd, reinterpret_cast<sockaddr*>(&Address), sizeof Address) != 0 ||
      listen(Server->ListenFd, 4) != 0) {
    weston_log("weston_seat: cannot listen on %s\n", Path);
    return -1;
  }
  wl_event_loop* Loop = wl_display_get_event_loop(Compositor->wl_display);
  Server->ListenSource = wl_event_loop_add_fd(Loop, Server->ListenFd, WL_EVENT_READABLE, OnConnect, Server);
  Server->Destroy.notify = OnCompositorDestroy;
  wl_signal_add(&Compositor->destroy_signal, &Server->Destroy);
  return 0;
}

#include <algorithm>
#include <cwchar>
#include <iostream>
#include <string>

#include "platform/folder_hold.h"
#include "platform/platform.h"
#include "platform/win32_text.h"

namespace scenario {

namespace {

// Form1 as the simulator's users know it, in pixels (15 twips each).
constexpr int kClientWidth = 280;
constexpr int kClientHeight = 179;
constexpr int kLabelLeft = 64;
constexpr int kLabelTop = 64;
constexpr int kLabelWidth = 177;
constexpr int kLabelHeight = 53;
constexpr int kLabelPoints = 24;
constexpr wchar_t kLabelFace[] = L"MS Sans Serif";
constexpr wchar_t kFormClass[] = L"ScenarioPackForm1";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The running .exe; empty when the system does not say (GetLastError() then tells why).
std::filesystem::path module_file() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);  // truncated: a long path
  }
}

bool register_form_class(HINSTANCE instance) {
  WNDCLASSW form_class{};
  form_class.lpfnWndProc = DefWindowProcW;
  form_class.hInstance = instance;
  form_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
  form_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form_class.lpszClassName = kFormClass;
  return RegisterClassW(&form_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The outer rectangle that gives Form1 its client size, centred on the desktop's work area.
RECT form_rectangle() {
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  const LONG left = work.left + std::max<LONG>(0, (work.right - work.left - width) / 2);
  const LONG top = work.top + std::max<LONG>(0, (work.bottom - work.top - height) / 2);
  return RECT{left, top, left + width, top + height};
}

HFONT create_label_font() {
  const HDC screen = GetDC(nullptr);
  const int dots_per_inch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return CreateFontW(-MulDiv(kLabelPoints, dots_per_inch, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, kLabelFace);
}

#ifdef SCENARIO_HOLD_WINDOW_FOR_TESTS
// Only in the pack built for the end-to-end test: waits for as many milliseconds (at most 30 s)
// as the environment variable says. SCENARIO_HOLD_WINDOW_MS keeps the painted window on the
// screen so that it can be photographed; SCENARIO_HOLD_FOLDER_MS keeps the folder held before
// the first file is written, so that the run can be killed while it holds it. Like the real
// run, it hands nothing back to the window meanwhile.
void hold_for_tests(const wchar_t* variable) {
  wchar_t value[16] = {};
  const DWORD length = GetEnvironmentVariableW(variable, value, 16);
  if (length == 0 || length >= 16) return;
  const unsigned long milliseconds = std::wcstoul(value, nullptr, 10);
  Sleep(static_cast<DWORD>(std::min(milliseconds, 30000UL)));
}
#endif

// The Windows backend: Form1 with its one label, the system's message box, the folder of the
// running .exe and a mutex named after it. Names reach the system as UTF-16 converted from the
// single-byte code page; reports, which name paths as UTF-8, are converted from UTF-8.
class Win32Platform final : public Platform {
 public:
  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;
  ~Win32Platform() override {
    if (form_ != nullptr) DestroyWindow(form_);  // takes the label with it
    if (font_ != nullptr) DeleteObject(font_);
  }

  // Shown modeless and painted once. Nothing pumps messages afterwards: the run keeps the
  // thread until it ends. A desktop that refuses the window does not stop the run.
  void show_waiting_window(std::string_view caption) override {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (form_ != nullptr || !register_form_class(instance)) return;
    const RECT frame = form_rectangle();
    const std::wstring title = module_file().stem().wstring();
    form_ = CreateWindowExW(0, kFormClass, title.c_str(), kFormStyle, frame.left, frame.top,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            instance, nullptr);
    if (form_ == nullptr) return;
    const HWND label = CreateWindowExW(
        0, L"STATIC", widen(caption).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
        kLabelLeft, kLabelTop, kLabelWidth, kLabelHeight, form_, nullptr, instance, nullptr);
    font_ = create_label_font();
    if (label != nullptr && font_ != nullptr) {
      SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    ShowWindow(form_, SW_SHOWNORMAL);
    UpdateWindow(form_);
#ifdef SCENARIO_HOLD_WINDOW_FOR_TESTS
    hold_for_tests(L"SCENARIO_HOLD_WINDOW_MS");
#endif
  }

  // The message box with no icon and no title of its own. Its text goes to standard error too,
  // for whoever started the pack from a console or a script.
  void show_error_box(std::string_view text) override {
    std::cerr << text << std::endl;
    MessageBoxW(form_, widen(text).c_str(), nullptr, MB_OK);
  }

  FileResult<std::filesystem::path> program_folder() override {
    const std::filesystem::path self = module_file();
    if (self.has_parent_path()) return self.parent_path();
    return FileFault{"the program's own file", system_reason(GetLastError())};
  }

  bool hold_folder(const std::filesystem::path& folder,
                   std::chrono::milliseconds patience) override {
    hold_ = FolderHold::take(folder, patience);
#ifdef SCENARIO_HOLD_WINDOW_FOR_TESTS
    if (hold_.state() == FolderHold::State::held) hold_for_tests(L"SCENARIO_HOLD_FOLDER_MS");
#endif
    return hold_.state() != FolderHold::State::busy;
  }

  void release_folder() override { hold_ = FolderHold(); }

  // A pack started with a double-click has no console, so the line is shown in a message box
  // captioned with the pack's name; standard error has it too, for consoles and scripts.
  void report(std::string_view line) override {
    std::cerr << line << std::endl;
    const std::wstring caption = module_file().stem().wstring();
    MessageBoxW(form_, from_utf8(line).c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
  }

  // Standard error only: a recorded failure is never shown.
  void note(std::string_view line) override { std::cerr << line << std::endl; }

 private:
  HWND form_ = nullptr;
  HFONT font_ = nullptr;
  FolderHold hold_;
};

}  // namespace

std::unique_ptr<Platform> make_platform(int, char**) { return std::make_unique<Win32Platform>(); }

}  // namespace scenario

#include "tests/wine/wine_test_support.h"

#include <vector>

#include "shell/settings.h"

void ClearSettingsKeys() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Thalvane");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"software\\Thalvane");
}

bool PutRawValue(const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data,
                 DWORD bytes) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool PutString(const wchar_t* keyPath, const wchar_t* name, const std::wstring& text) {
  return PutRawValue(keyPath, name, REG_SZ, text.c_str(),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool PutDword(const wchar_t* keyPath, const wchar_t* name, uint32_t value) {
  DWORD data = value;
  return PutRawValue(keyPath, name, REG_DWORD, &data, sizeof data);
}

bool GetRawValue(const wchar_t* keyPath, const wchar_t* name, DWORD* type, std::string* data) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  bool ok = RegQueryValueExW(key, name, nullptr, type, nullptr, &size) == ERROR_SUCCESS;
  if (ok) {
    data->assign(size, '\0');
    ok = RegQueryValueExW(key, name, nullptr, type,
                          reinterpret_cast<BYTE*>(size ? &(*data)[0] : nullptr), &size) ==
         ERROR_SUCCESS;
    data->resize(size);
  }
  RegCloseKey(key);
  return ok;
}

bool HasValue(const wchar_t* keyPath, const wchar_t* name) {
  DWORD type = 0;
  std::string data;
  return GetRawValue(keyPath, name, &type, &data);
}

// Under Wine a fresh prefix now and then fails to start a child the first time
// (the file is not found); a start that fails is tried again.
constexpr int kStartAttempts = 3;

std::string RunAndCapture(const std::wstring& commandLine, DWORD* exitCode) {
  *exitCode = static_cast<DWORD>(-1);
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return std::string();
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process = {};
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(0);
  BOOL started = FALSE;
  DWORD error = 0;
  for (int attempt = 0; attempt < kStartAttempts && !started; ++attempt) {
    if (attempt > 0) Sleep(500);
    started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &startup, &process);
    if (!started) error = GetLastError();
  }
  CloseHandle(writeEnd);
  std::string output;
  if (!started) output = "CreateProcess failed with error " + std::to_string(error);
  if (started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
      output.append(buffer, got);
    }
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return output;
}

bool OpenCanvas(Canvas* canvas, int width, int height) {
  *canvas = Canvas{};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  canvas->Dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  canvas->Bitmap = CreateDIBSection(canvas->Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!canvas->Dc || !canvas->Bitmap) {
    CloseCanvas(canvas);
    return false;
  }
  canvas->OldBitmap = SelectObject(canvas->Dc, canvas->Bitmap);
  canvas->Pixels = static_cast<uint32_t*>(bits);
  canvas->Width = width;
  canvas->Height = height;
  RECT all = {0, 0, width, height};
  FillRect(canvas->Dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  GdiFlush();
  return true;
}

void CloseCanvas(Canvas* canvas) {
  if (canvas->Dc && canvas->OldBitmap) SelectObject(canvas->Dc, canvas->OldBitmap);
  if (canvas->Bitmap) DeleteObject(canvas->Bitmap);
  if (canvas->Dc) DeleteDC(canvas->Dc);
  *canvas = Canvas{};
}

uint32_t PixelAt(const Canvas& canvas, int x, int y) {
  GdiFlush();
  return canvas.Pixels[y * canvas.Width + x] & 0x00FFFFFF;
}

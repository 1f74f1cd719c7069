// The main window, its window procedure and the message pump, with the two
// hook lists other modules use: extra window procedures and task-switch
// functions.  While the application is inactive the pump blocks, so the
// whole game stands still in the background.
#pragma once
#include <cstdint>

#include "platform/window.h"

using WinHandle = void*;
using WinInstance = void*;
using WinProc = int64_t (*)(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam);
using WinTaskswitchFunc = void (*)(uint8_t state);

// Message numbers the window procedures see.
constexpr uint32_t WM_DESTROY = plat::kMsgDestroy;
constexpr uint32_t WM_ACTIVATE = plat::kMsgActivate;
constexpr uint32_t WM_SETFOCUS = plat::kMsgSetFocus;
constexpr uint32_t WM_KILLFOCUS = plat::kMsgKillFocus;
constexpr uint32_t WM_PAINT = plat::kMsgPaint;
constexpr uint32_t WM_CLOSE = plat::kMsgClose;
constexpr uint32_t WM_QUIT = plat::kMsgQuit;
constexpr uint32_t WM_ACTIVATEAPP = plat::kMsgActivateApp;
constexpr uint32_t WM_SETCURSOR = plat::kMsgSetCursor;
constexpr uint32_t WM_KEYDOWN = plat::kMsgKeyDown;
constexpr uint32_t WM_KEYUP = plat::kMsgKeyUp;
constexpr uint32_t WM_CHAR = plat::kMsgChar;
constexpr uint32_t WM_SYSKEYDOWN = plat::kMsgSysKeyDown;
constexpr uint32_t WM_SYSKEYUP = plat::kMsgSysKeyUp;
constexpr uint32_t WM_MOUSEMOVE = plat::kMsgMouseMove;
constexpr uint32_t WM_LBUTTONDOWN = plat::kMsgLButtonDown;
constexpr uint32_t WM_LBUTTONUP = plat::kMsgLButtonUp;
constexpr uint32_t WM_RBUTTONDOWN = plat::kMsgRButtonDown;
constexpr uint32_t WM_RBUTTONUP = plat::kMsgRButtonUp;

constexpr uint32_t MB_OK = plat::kMbOk;
constexpr uint32_t MB_ICONSTOP = plat::kMbIconStop;
constexpr uint32_t MB_ICONEXCLAMATION = plat::kMbIconExclamation;

constexpr uint32_t WIN_FLAG_WINDOWED = 1u << 0;
constexpr int MAX_WINDOW_PROCS = 16;
constexpr int MAX_TASKSWITCH_LIST = 32;
constexpr uint8_t TASKSWITCH_IDLE = 0;
constexpr uint8_t TASKSWITCH_ACTIVE = 1;

void WinInit(WinInstance instance, const char* app_name, uint32_t window_flags);
void CreateMainWindow();
void DestroyMainWindow();
int64_t WinMainWindowProc(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam);
void WinMessageHandler();
void WinIdleMessageHandler();

int WinAddWindowProc(WinProc procedure);
void WinRemoveWindowProc(int index);
int64_t WinNotHandled(WinHandle window, uint32_t msg, uint64_t wparam, int64_t lparam);

void WinAddTaskswitchFunc(WinTaskswitchFunc function);
void WinRemoveTaskswitchFunc(WinTaskswitchFunc function);
void WinCallTaskswitchFuncs(uint8_t state);

int WinMessageBox(const char* text, uint32_t flags);
int WinWasReactivated();
int WinIsActive();
int WinIsWindowed();
WinHandle WinGetWindowHandle();
WinInstance WinGetInstance();
const char* WinGetAppName();
void WinClientToScreen(int* x, int* y);
void WinResizeWindow(int width, int height);
void WinSetDocumentAtExit(const char* document);
void WinOpenDocumentAtExit();

// Set once the user has asked to close the main window; the game's main
// loop ends the game in order when it sees it.
int WinCloseRequested();

// For tests: tears the window state down without the exit-time steps.
void WinResetForTests();

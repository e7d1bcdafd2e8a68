#pragma once

// The windowing system the program's windows are on, asked of Qt once.
enum class WindowingSystem { Wayland, X11, Other };

WindowingSystem windowingSystem();

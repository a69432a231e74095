#pragma once
// MerValla's window toolkit: plain functions with keyword-string options over
// Qt Widgets. It owns every window, control, bitmap and font of the program;
// callers hold them as integer handles and never see a widget type. This
// header (and the ones it includes) uses QtCore types only, so the shell and
// the pages stay free of widget headers.
//
// Conventions
// - A handle is a positive int; 0 means "none" or "failed". Handles are never
//   reused while the program runs. An operation on an unknown handle does
//   nothing and returns the operation's failure value.
// - Keywords are compared exactly (case matters); an unknown or empty keyword
//   gives the default of the operation.
// - Colours are ints holding red in the lowest byte, then green, then blue:
//   rgb(50, 50, 100) == 50 | 50 << 8 | 100 << 16.
// - Rectangles are given by their corners as left, top, right, bottom; right
//   and bottom are exclusive (a rectangle 0, 0, 800, 610 covers the client area).
// - Everything runs on the one GUI thread.
#include "toolkit/display.h"
#include "toolkit/toolkit_controls.h"
#include "toolkit/toolkit_seams.h"
#include "toolkit/toolkit_window.h"

#pragma once
// The character-window UI: screen, windows, colour scheme, painter, input.
#include "chwin/chw_canvas.h"
#include "chwin/chw_colours.h"
#include "chwin/chw_fkey_bar.h"
#include "chwin/chw_geometry.h"
#include "chwin/chw_host.h"
#include "chwin/chw_input.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_painter.h"
#include "chwin/chw_scheme_io.h"
#include "chwin/chw_screen.h"
#include "chwin/chw_window.h"
#include "chwin/grid_dump.h"

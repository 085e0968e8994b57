// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's own main, compiled unchanged under the name pexaroMain, so
// that a harness starts the game exactly as the shipped program does. The
// harness adds its probes from a routine that Qt runs as soon as the
// application object exists (qAddPreRoutine).
#include "Game.h"
#include "Program.h"

#include <QApplication>

#define main pexaroMain
#include "main.cpp" // ui/size/main.cpp, found through pexaro_ui's include path
#undef main

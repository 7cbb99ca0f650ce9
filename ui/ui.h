// The platform-neutral front end: start-up and reset, the command tables and key dispatch, the net
// layout and its painting, and the help box.
#pragma once

#include <cstdint>

#include "cube/cube.h"
#include "files/input_files.h"
#include "files/text_stream.h"
#include "seam/platform.h"
#include "ui/palette.h"

// The document's layout: the start metrics and the net placement, and the squares for its size.
void FillNetPlacement();
void ComputeNetLayout();
void ShowHelp();

// The portable start-up steps, before any window exists: metrics, net placement, solved cube,
// layout, copy.
void StartUpCube();
// Keeps the solvers' tables in the user's cache folder: each program asks for it once, at start-up.
// `report`, when given, hears every step of a long build, on the thread that builds.
void KeepSolverTablesInCache(void (*report)(const char* what, double done) = nullptr);
void ResetCube();
// The symmetry count of the window's pattern: its box, the line a windowed program drops when an even
// cube's orientation search gives up, and the cube left in the standard orientation.
void CountSymmetries();
// The one way the size changes: a new size starts from its solved cube and default layout, and the
// old net is erased at the next repaint; the same size leaves everything as it is.
void SetCubeSize(int16_t size);

// The pattern on the cube, for front ends that print or show it without reaching into the model.
int16_t PatternSize();
Colour PatternCell(Face face, int row, int column);

// Every message text fits in this, terminator included.
const int kTextCapacity = 256;
// A longer path cannot name a file on any platform we run on; one this long is never opened.
const int kFileNameCapacity = 4096;
// Shows the open-file dialog; the chosen path, valid until the next dialog, or "" when cancelled.
const char* ShowOpenFileDialog(FileKind kind);
const char* ShowOpenFileDialog(FileKind kind, const FileFilter& filter);
// The open command behind "[" and "{": the dialog, then the file it names as that kind.
void OpenCubeFile(FileKind kind);
// Opens `path` as "[" or "{" would, by its extension (.q or .mov, any case), as one command; an .alg
// file is applied to the solved cube of the current size, as a move file is.
void OpenNamedFile(const char* path);
int32_t ReplayMoveLog(int64_t count);  // the number of passes made
// Formats `before` `path` `after` into `text` (256 bytes), cutting the path with "..." to fit.
void FormatWithPath(char* text, const char* before, const char* path, const char* after);
// The file choosers' filter for pattern files or move files.
const FileFilter& FilterFor(FileKind kind);
// The "Error" box of a file that could not be written: what failed, the path, then the reason.
void ShowSaveFailure(const char* before, const char* path, const char* reason);

// Reads a pattern file onto the cube, laid out for its size, or refuses it in a box that names `path`
// and changes nothing.
void LoadPatternFile(TextStream* stream, const char* path);
// A checked pattern onto the cube: its size, every facelet and the layout for it.
void PutPattern(const PatternData& pattern);
// Reads a move file onto the solved cube of the current size, or with `fromSolved` false onto the
// pattern shown: the token echo, the boxes, the move log and the last moves. The number of moves, 0
// after a refusal.
int64_t LoadMoveFile(TextStream* stream, bool fromSolved = true, const char* path = nullptr);
// Reads an .alg file named `path` and applies it to the solved cube of the current size, or with
// `fromSolved` false to the pattern shown; the "Moves" box, or an "Error" box and nothing changed.
void LoadAlgFile(TextStream* stream, const char* path, bool fromSolved);
// Asks for one line in the standard notation and applies it to the pattern shown; a refusal is an
// "Error" box and changes nothing.
void TypeMoves();

// Windows virtual-key codes of the arrows.
const int kKeyLeft = 0x25;
const int kKeyUp = 0x26;
const int kKeyRight = 0x27;
const int kKeyDown = 0x28;

// A typed character: the character table, then the key-down table with the same code.
void HandleCharacter(int code);
// A key-down: the key-down table. An unbound code paints at once.
void HandleKeyDown(int code);
// The platform's timer, while the core asked for it (Platform::SetTimer): turns playing move on.
void TimerTick();

// What the front ends show beyond the net: the files, the studies of a pattern and its pictures.
#include "files/alg_notation.h"
#include "files/move_text.h"
#include "solve/answer.h"
#include "solve/solve.h"
#include "study/order.h"
#include "study/reachability.h"
#include "study/symmetry_group.h"
#include "ui/command_line.h"
#include "ui/commands.h"
#include "ui/document.h"
#include "ui/facelet_edit.h"
#include "ui/history.h"
#include "ui/menu.h"
#include "ui/menu_entries.h"
#include "ui/picture.h"
#include "ui/player/moving_picture.h"
#include "ui/player/player_window.h"
#include "ui/solid/animation.h"
#include "ui/solid/solid_picture.h"
#include "ui/solid/window_solid.h"
#include "ui/view.h"

// The pieces of the standard control kinds that are more than styles, for
// the kind table in controls.cpp.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/controls.h"

namespace vandrel::win32::parts {

// A control's tooltip, in its parent's one tooltip window: added, its text
// changed (empty: taken out), and all of a parent's held back (a press on a
// swatch that may become a drag) or let show again.
void AddTool(HWND control, const std::string& text, HINSTANCE instance);
void SetToolText(HWND control, const std::string& text, HINSTANCE instance);
void HoldTools(HWND parent, bool hold);
HWND TipsOf(HWND parent);  // the parent's tooltip window, if it has one

// Posted to the parent after a file list lost its selection: whether a row
// is selected is known only once the click or key has been handled.
constexpr UINT kSelectionLost = 0x7A01;

bool HasClass(HWND hwnd, const char* name);
DWORD StyleOf(HWND hwnd);
HFONT FontOf(const ControlSpec& description, const ControlResources& resources);

// File lists.
int RowCount(HWND list);
int SelectedRow(HWND list);  // -1: none
std::string RowText(HWND list, int row);
void SelectRow(HWND list, int row);
void SelectRowNamed(HWND list, const std::string& name);

// Which notifications count.
bool SelectionChanged(HWND list, WPARAM wParam, LPARAM lParam);
bool NothingSelected(HWND list, WPARAM wParam, LPARAM lParam);
bool OnRow(HWND list, WPARAM wParam, LPARAM lParam);
bool ThumbMoved(HWND bar, WPARAM wParam, LPARAM lParam);

// Run right after a control of the kind was made.
void FillEdit(HWND edit, const ControlSpec& description, const ControlResources& resources);
void FillImageButton(HWND button, const ControlSpec& description, const ControlResources& resources);
void FillTrackBar(HWND bar, const ControlSpec& description, const ControlResources& resources);
void FillFileList(HWND list, const ControlSpec& description, const ControlResources& resources);
void FillToolbar(HWND toolbar, const ControlSpec& description, const ControlResources& resources);
void FillLink(HWND link, const ControlSpec& description, const ControlResources& resources);
void FillPicture(HWND picture, const ControlSpec& description, const ControlResources& resources);

}  // namespace vandrel::win32::parts

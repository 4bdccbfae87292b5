#pragma once
// The game's message functions. Each shows a modal box through the installed user interface
// and then lets pending messages through, so the screen repaints before the game goes on.

#include "platform/UserInterface.h"

#include <string>

// Installs the user interface the message functions use (not owned); nullptr removes it.
void SetUserInterface(IUserInterface* ui);

// The installed user interface; throws std::logic_error when none is installed.
IUserInterface& GetUserInterface();

// Yes and No with a question icon; true when Yes is pressed.
bool Confirm(const std::string& caption, const std::string& text);

// OK, no icon.
void Inform(const std::string& caption, const std::string& text);

// Buttons and icon as the style flags say; returns the button pressed.
MessageBoxResult ShowMessageBox(const std::string& caption, const std::string& text,
                                MessageBoxStyle style);

#pragma once
// Arguments of the system's batch files (the rename batch, the render batch).
#include <string>

namespace support {

// One argument of a batch line, written so that the command interpreter (and batrun) reads it
// back as one argument, unchanged: every '%' doubled, and the whole in double quotes when it holds
// a blank or a character the interpreter splits or acts on (& | < > ^ ( ) , ; =). The text holds
// no double quote (file names cannot).
std::string BatchArgument(const std::string& text);

}  // namespace support

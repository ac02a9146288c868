#pragma once
// Names that outside data (camera names, object names) turn into file names, checked before any
// file or batch line is made from them: a name that Windows cannot hold as a file name could
// reach another folder, a device, or the command interpreter.
#include <string>
#include <string_view>

#include "support/result.h"

namespace support {

// Succeeds when `name` can be the name of a file on Windows (the extension the caller adds
// included or not). Fails with the reason when it is empty; holds a control character (line
// breaks included) or one of < > : " / \ | ? *; is "." or ".."; ends in a dot or a blank; or
// names a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any case, with or without
// an extension).
Status CheckFileName(std::string_view name);

// The name in double quotes for a message, with control characters written as \n, \r, \t or
// \xNN and a backslash as \\, so that a hostile name cannot break the message's line.
std::string QuoteForMessage(std::string_view name);

}  // namespace support

#pragma once

#include <string>

#include "toolkit/Form.h"

// What the document's two small dialogs share: a fixed size, a raised edge,
// no close box, centred on the screen, Verdana 14, owned by `owner` (the
// main window) so that they never fall behind it.
toolkit::FormArgs DialogFormArgs(const std::string& caption, SIZE client, HWND owner);

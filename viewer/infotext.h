#pragma once

#include <QString>

// The help text that "Info" puts into the code pane: 17 lines joined by
// CR LF, with no line break after the last.
QString InfoText();

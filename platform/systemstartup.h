#pragma once

// What the system needs set once, before the program's first window. On
// Windows: no system box about a drive without a medium, since the chooser
// handles that drive itself; and no library looked for in the working folder.
void prepareSystem();

#pragma once

// What the program sets up once, after the application object exists and
// before its first window:
// - Qt's Dutch translation, for the texts Qt itself supplies (the text boxes'
//   context menus, standard buttons): the program is Dutch whatever the
//   system's language. Without the translation installed those stay as Qt
//   has them.
// - What the system itself needs (platform/systemstartup.h).
// - The listing of the working folder, where the chooser first opens, begun
//   on another core while the main window comes up (chooser/readahead.h).
void prepareApplication();

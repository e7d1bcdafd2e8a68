#pragma once

// What the program sets up once, after the application object exists and
// before its first window:
// - The texts Qt itself supplies (the text boxes' and scroll bars' context
//   menus, a message's button) in Dutch, whatever the system's language
//   (qtdutch.h).
// - What the system itself needs (platform/systemstartup.h).
// - The listing of the working folder, where the chooser first opens, begun
//   on another core while the main window comes up (chooser/readahead.h).
void prepareApplication();

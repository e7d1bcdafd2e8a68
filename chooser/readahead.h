#pragma once

#include "chooser/listing.h"

#include <filesystem>
#include <optional>

// Below this many names the chooser sorts a folder itself in a few
// milliseconds; sorting it ahead would only cost the start-up memory.
constexpr std::size_t ReadAheadFrom = 5'000;

// The folder the chooser first opens in, read and, when it holds at least
// `fromNames` names, sorted ahead on another core while the program starts:
// a large folder's names are then in order by the time the user asks for
// them. Only that thread touches the folder: a file system that hangs holds
// up neither the start nor the end of the program.
void readAhead(const std::filesystem::path &folder, std::size_t fromNames = ReadAheadFrom);

// Whether the reading ahead is done (or none was begun).
bool readAheadDone();

// The listing read ahead, once, waiting for it if need be; but only for the
// same folder, and only while its permissions and its entries are as they
// were read: the entries watched for changes since (a mount over the folder
// counts as one), or, where changes can't be watched or the folder holds
// links, read again and found the same names of the same kinds in the same
// order. Otherwise the folder is left to be read anew.
std::optional<Listing> takeReadAhead(const std::filesystem::path &folder);

// The folder as it is now: as read ahead, when that listing is still true,
// or read and sorted anew.
Listing listFolder(const std::filesystem::path &folder);

#pragma once

#include "listing.h"

#include <filesystem>
#include <optional>

// Below this many names the chooser sorts a folder itself in a few
// milliseconds; sorting it ahead would only cost the start-up memory.
constexpr std::size_t ReadAheadFrom = 5'000;

// The folder the chooser first opens in, read and, when it holds at least
// `fromNames` names, sorted ahead on another core while the program starts:
// a large folder's names are then in order by the time the user asks for
// them.
void readAhead(const std::filesystem::path &folder, std::size_t fromNames = ReadAheadFrom);

// Whether the reading ahead is done (or none was begun).
bool readAheadDone();

// The listing read ahead, once, waiting for it if need be; but only for the
// same folder, and only while its entries are as they were read: watched for
// changes since, or, where changes can't be watched, read again and found the
// same names in the same order. Otherwise the folder is left to be read anew.
std::optional<Listing> takeReadAhead(const std::filesystem::path &folder);

#pragma once

#include "listing.h"

#include <filesystem>
#include <optional>

// The folder the chooser first opens in, read and sorted ahead on another
// core while the program starts: a large folder's names are then in order by
// the time the user asks for them.
void readAhead(const std::filesystem::path &folder);

// Whether the reading ahead is done (or none was begun).
bool readAheadDone();

// The listing read ahead, once, waiting for it if need be; but only for the
// same folder, and only while its entries are as they were read: watched for
// changes since, or, where changes can't be watched, read again and found the
// same names in the same order. Otherwise the folder is left to be read anew.
std::optional<Listing> takeReadAhead(const std::filesystem::path &folder);

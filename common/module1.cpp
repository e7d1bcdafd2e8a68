#include "module1.h"

namespace Module1 {

std::filesystem::path SelectedPath;

}   // namespace Module1

#pragma once

#include <chrono>
#include <string>

namespace outlook {

// A pattern's day as "2027-03-02", the form the store keeps and jotwise add prints.
std::string IsoDate(std::chrono::local_days day);

}  // namespace outlook

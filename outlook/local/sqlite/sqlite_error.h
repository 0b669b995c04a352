#pragma once

#include <stdexcept>
#include <string>

namespace outlook::local::sqlite {

// A failed SQLite call: the result code and the library's message.
class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

}  // namespace outlook::local::sqlite

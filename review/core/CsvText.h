#pragma once
// Lines of a comma-separated file as spreadsheets read them.
#include <string>
#include <vector>

namespace csvtext {

// The field as it is when it holds no comma, quote or line break; otherwise
// in quotes, each quote doubled.
std::string Field(const std::string& text);

// The fields joined by commas, ended by CR LF.
std::string Record(const std::vector<std::string>& fields);

}  // namespace csvtext

#pragma once
// Commands run on the host system, for tests under Wine: links are made
// with the host's ln, since Wine's CreateSymbolicLinkA makes nothing.
#include <string>

namespace host {

// The host's name of a Windows path, or nothing outside Wine.
std::string UnixName(const std::string& path);

// Runs a /bin/sh script on the host and waits until it has ended (at most
// five seconds); false outside Wine or when it did not end in time.
bool RunScript(const std::string& script);

}  // namespace host

#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit codes scripts can rely on.
inline constexpr int kExitOk = 0;
inline constexpr int kExitProblem = 1;     // the command ran and found the answer is "no"
inline constexpr int kExitCannotRead = 2;  // unreadable file or wrong usage

// Runs one tvrtool command; args excludes the program name.
int RunTvrTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

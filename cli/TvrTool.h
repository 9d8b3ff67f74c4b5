#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit codes scripts can rely on.
inline constexpr int kExitOk = 0;
inline constexpr int kExitProblem = 1;     // the command ran and found the answer is "no"
inline constexpr int kExitCannotRead = 2;  // unreadable file or wrong usage
// The output did not reach its destination: standard output failed, or OUT was not written.
inline constexpr int kExitCannotWrite = 3;

// Runs one tvrtool command; args excludes the program name. Everything written to out is
// flushed before it returns, and a failed write is kExitCannotWrite.
int RunTvrTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err);

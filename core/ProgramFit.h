#pragma once

#include <string>
#include <vector>

class TimerProgram;

// What of a program the editor cannot show when it holds at most maxTimers timers (runs of
// consecutive blocks with one number) of at most maxIntervals intervals: one line per timer,
// empty when everything fits.
std::vector<std::string> DescribeWhatDoesNotFit(const TimerProgram& program, int maxTimers,
                                                int maxIntervals);

#include "core/DeviceLimits.h"
#include "core/EditorState.h"
#include "core/Translate.h"

namespace {

std::string Number(int n) {
    return std::to_string(n);
}

}  // namespace

RefusalWords DescribeRefusal(EditRefusal refusal, const EditorState& state, int panel, int row) {
    const bool known = panel >= 0 && panel < static_cast<int>(state.panels.size());
    const int number = known ? state.panels[static_cast<std::size_t>(panel)].timerNumber : 0;
    const std::string name = known ? TimerName(number) : std::string();
    switch (refusal) {
        case EditRefusal::None:
            return {};
        case EditRefusal::NoSuchTimer:
            return {Translate("EditRefusal", "There is no such timer."),
                    Translate("EditRefusal",
                              "Click a timer's caption or one of its intervals, then try again.")};
        case EditRefusal::NoSuchInterval:
            return {Translate("EditRefusal", "There is no such interval."),
                    Translate("EditRefusal",
                              "Click an interval's ON/OFF label to select it, then try again.")};
        case EditRefusal::TimersFull:
            return {
                FillArgs(Translate("EditRefusal", "The program already has %1 timers."),
                         {Number(kTimerCount)}),
                FillArgs(Translate("EditRefusal",
                                   "That is every timer the device has, %1 to %2. Delete a timer "
                                   "before adding another one."),
                         {Number(kFirstTimerNumber), Number(kLastTimerNumber)})};
        case EditRefusal::TimerFull: {
            const int used = MemoryBytes(state);
            // Another timer only helps while the device has memory left for it.
            return {FillArgs(Translate("EditRefusal", "%1 already has %2 intervals."),
                             {name, Number(kMaxIntervalsPerTimer)}),
                    used < kDeviceMemoryBytes
                        ? Translate("EditRefusal",
                                    "That is the most one timer holds. Add another timer for more "
                                    "intervals.")
                        : FillArgs(Translate(
                                       "EditRefusal",
                                       "That is the most one timer holds, and the program already "
                                       "needs %1 of the device's %2 bytes, so there is no room for "
                                       "more intervals."),
                                   {Number(used), Number(kDeviceMemoryBytes)})};
        }
        case EditRefusal::NoFreeNumber:
            return {
                FillArgs(Translate("EditRefusal", "Every timer number from %1 to %2 is in use."),
                         {Number(kFirstTimerNumber), Number(kLastTimerNumber)}),
                Translate("EditRefusal", "Delete a timer first to free its number.")};
        case EditRefusal::FirstInterval:
        case EditRefusal::LastInterval:
            return {
                FillArgs(refusal == EditRefusal::FirstInterval
                             ? Translate("EditRefusal", "Interval %1 is already the first of %2.")
                             : Translate("EditRefusal", "Interval %1 is already the last of %2."),
                         {Number(row + 1), name}),
                Translate("EditRefusal",
                          "Intervals move within their timer. To move intervals to another timer, "
                          "add them there.")};
        case EditRefusal::FirstTimer:
        case EditRefusal::LastTimer:
            return {FillArgs(refusal == EditRefusal::FirstTimer
                                 ? Translate("EditRefusal", "%1 is already the first timer.")
                                 : Translate("EditRefusal", "%1 is already the last timer."),
                             {name}),
                    Translate("EditRefusal",
                              "Select another timer to move, or move this one the other way.")};
        case EditRefusal::NotInTwoPlaces:
            return {
                Translate("EditRefusal", "No timer is in more than one place."),
                Translate("EditRefusal",
                          "Join Timer moves the intervals of a timer that a file has in two places "
                          "into its first place.")};
        case EditRefusal::JoinTooLong:
            return {
                FillArgs(Translate("EditRefusal", "%1 cannot be joined into one place."), {name}),
                FillArgs(Translate("EditRefusal",
                                   "Together its places have more than %1 intervals, the most one "
                                   "timer holds. Delete intervals or give one place another "
                                   "number."),
                         {Number(kMaxIntervalsPerTimer)})};
        case EditRefusal::Unreadable:
            return {
                FillArgs(Translate("EditRefusal", "%1 does not read as an interval."),
                         {IntervalName(number, row)}),
                Translate("EditRefusal",
                          "Type it as hours:minutes:seconds, with sixtieths after a fourth colon "
                          "if needed.")};
        case EditRefusal::BlockFirstInterval:
            return {Translate("EditRefusal", "The first interval always starts a block"), {}};
        case EditRefusal::BlockTooLong:
            return {FillArgs(Translate("EditRefusal", "A block holds at most %1 intervals"),
                             {Number(kIntervalsPerBlock)}),
                    {}};
    }
    return {};
}

#include "core/ProgramFacts.h"

#include "core/TimerProgram.h"

ProgramFacts ComputeFacts(const EditorState& state) {
    ProgramFacts facts;
    const TimerProgram program = ProgramFromState(state);
    facts.summary = SummarizeProgram(program);
    facts.findings = CheckEditorState(state, program);
    facts.counts = CountFindings(facts.findings);
    return facts;
}

bool MarksRow(const DeviceProblem& finding) {
    return finding.row >= 0 && (finding.kind == DeviceProblem::Kind::IntervalTooLong ||
                                finding.kind == DeviceProblem::Kind::SixtiethsOverSecond);
}

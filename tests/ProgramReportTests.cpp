#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <sstream>

#include "TestSupport.h"
#include "cli/TvrTool.h"
#include "core/TimelineMath.h"
#include "gui/common/Language.h"
#include "gui/report/ProgramReport.h"

using namespace testing_support;

namespace {

// The text of a PDF, pages separated by form feeds, columns kept on their lines.
QString PdfText(const QString& file) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) did not run: "
                      << process.errorString().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every interval's table line: timer, number, state, length, start and end, in columns.
void ExpectEveryInterval(const QString& text, const EditorState& state) {
    const TimelineLayout layout = LayoutTimeline(state);
    for (const TimelineLane& lane : layout.lanes) {
        EXPECT_TRUE(text.contains(QString::fromStdString(lane.label))) << lane.label;
        for (const TimelineBar& bar : lane.bars) {
            const QString end = QString::fromStdString(FormatTimelineTime(bar.End()));
            const QRegularExpression line(
                QStringLiteral("(^|\\n) *%1 +%2 +%3 +%4 +%5 +%6")
                    .arg(lane.timerNumber)
                    .arg(bar.row + 1)
                    .arg(bar.on ? "ON" : "OFF",
                         QRegularExpression::escape(QString::fromStdString(bar.text)),
                         QString::fromStdString(FormatTimelineTime(bar.start)), end));
            EXPECT_TRUE(line.match(text).hasMatch())
                << "timer " << lane.timerNumber << " interval " << bar.row + 1;
        }
    }
}

TEST(ProgramReport, TheLargestProgramSpansPagesEachWithTheHeader) {
    TimerProgram program = LargestProgram();
    const EditorState state = StateFromProgram(program);
    TempDir dir;
    const QString file = QString::fromStdString(dir.File("largest.pdf"));
    QString error;
    ASSERT_TRUE(ExportPdf(state, file,
                          {QStringLiteral("largest.tvr"), {}, true, ComputeFacts(state)}, error));
    const QString text = PdfText(file);
    QStringList pages = text.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) {
        pages.removeLast();
    }
    ASSERT_GT(pages.size(), 3);
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("largest.tvr"))) << "page " << i + 1;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())))
            << "page " << i + 1;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("of 128 bytes"))) << "page " << i + 1;
        // Whichever page is picked up, it says the program is not the device's, nor the file's.
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Too large for the device"))) << i + 1;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Unsaved changes"))) << "page " << i + 1;
    }
    ExpectEveryInterval(text, state);
    // Every lane label is on the timeline pages at the end, after the table.
    const QString last = pages.back();
    EXPECT_TRUE(last.contains(QStringLiteral("Timeline")));
    EXPECT_TRUE(last.contains(QStringLiteral("Timer 30")));
}

// Eight timers of one 5-interval block: 8 * (1 + 5 * 3) = 128 bytes, all the device holds; with
// over, timer 8's 4 bytes more.
std::vector<BlockData> FillTheDevice(bool over) {
    std::vector<BlockData> blocks;
    for (int timer = 0; timer < 8; ++timer) {
        blocks.push_back({timer, std::vector<Step>(5, {true, 0, 0, 1, 0})});
    }
    if (over) {
        blocks.push_back({8, {{false, 0, 0, 2, 0}}});
    }
    return blocks;
}

TEST(ProgramReport, MarksNameEveryFindingAndUnsavedChangesAndKeepToTheirRoom) {
    EditorState over = StateFromProgram(MakeProgram(FillTheDevice(true)));
    EXPECT_EQ(ReportMarks(ComputeFacts(over), false),
              QStringList{"Too large for the device: it needs 132 bytes, the device holds 128."});
    over.startup = true;
    over.panels[0].timerNumber = 20;
    over.panels[0].rows[0] = Row(true, "0:0:0:60", true);
    EXPECT_EQ(
        ReportMarks(ComputeFacts(over), true),
        (QStringList{"Too large for the device: it needs 132 bytes, the device holds 128.",
                     "Warning: timer 0 should run on power up, but there is no timer 0",
                     "Warning: Timer 20, interval 1 has 60 or more sixtieths of a second",
                     "Unsaved changes: this is the program as the editor shows it, not as its file "
                     "holds it."}));
    const EditorState full = StateFromProgram(MakeProgram(FillTheDevice(false)));
    EXPECT_EQ(ReportMarks(ComputeFacts(full), false), QStringList());
    // A program full of findings keeps the header to ten of them and says how many more.
    EditorState many;
    for (int timer = 0; timer < 15; ++timer) {
        many.panels.push_back({timer, {Row(true, "99:00:00", true)}});
    }
    const QStringList marks = ReportMarks(ComputeFacts(many), false);
    ASSERT_EQ(marks.size(), 11);
    EXPECT_EQ(marks.back(), "and 5 more");
}

// Over the device's memory, unsaved and with a row of no length, so every line of the header is
// there; in German every text is German and the date is written the German way.
TEST(ProgramReport, HoldsTheHeaderAndEveryIntervalInEnglishAndInGerman) {
    EditorState state = StateFromProgram(MakeProgram(FillTheDevice(true)));
    state.startup = true;  // the main window's setting, not the list's
    state.panels.back().rows.push_back(Row(true, "00:00:00"));
    TempDir dir;
    const auto report = [&](const std::string& name, const QDateTime& printed) {
        const QString file = QString::fromStdString(dir.File(name));
        QString error;
        EXPECT_TRUE(ExportPdf(
            state, file, {QStringLiteral("woche.tvr"), printed, true, ComputeFacts(state)}, error))
            << error.toStdString();
        return PdfText(file);
    };
    QString german;
    {
        const AppLanguage language(QStringLiteral("de"));
        german = report("de.pdf", QDateTime(QDate(2026, 3, 9), QTime(14, 5)));
    }
    // Without a time given, the report is dated now.
    const QString english = report("en.pdf", {});
    EXPECT_TRUE(
        english.contains(QStringLiteral("Printed ") + QDate::currentDate().toString(Qt::ISODate)));
    EXPECT_TRUE(english.contains(QStringLiteral("135 of 128 bytes"))) << english.toStdString();
    EXPECT_TRUE(english.contains(QStringLiteral("9 blocks")));
    EXPECT_TRUE(english.contains(QStringLiteral("Run timer 0 on power up: yes")));

    EXPECT_TRUE(german.contains(QStringLiteral("Gedruckt am 09.03.2026 14:05")))
        << german.toStdString();
    EXPECT_TRUE(german.contains(QStringLiteral("Seite 1 von 2")));
    EXPECT_TRUE(german.contains(QStringLiteral("Seite 2 von 2")));
    // Whole, not elided: the German marks are longer than the English ones.
    EXPECT_TRUE(german.contains(QStringLiteral(
        "Zu groß für das Gerät: Das Programm benötigt 135 Bytes, das Gerät fasst 128.")));
    EXPECT_TRUE(german.contains(QStringLiteral(
        "Ungespeicherte Änderungen: Dies ist das Programm im Editor, nicht das der Datei.")));
    EXPECT_TRUE(german.contains(QStringLiteral("Timer 0 beim Einschalten starten: ja")));
    EXPECT_TRUE(german.contains(QStringLiteral("Zeitleiste")));
    // Every column title whole, with the table's lines under them.
    const auto line = [&german](const QString& pattern) {
        return QRegularExpression(QStringLiteral("(^|\\n) *") + pattern).match(german).hasMatch();
    };
    EXPECT_TRUE(
        line(QStringLiteral("Timer +Intervall +Zustand +Länge +Beginn +Ende +Blockbeginn")));
    EXPECT_TRUE(line(QStringLiteral("0 +1 +EIN +00:00:01 +00:00:00 +00:00:01 +ja")));
    EXPECT_TRUE(line(QStringLiteral("8 +1 +AUS +00:00:02 +00:00:00 +00:00:02 +ja")));
    EXPECT_TRUE(line(QStringLiteral("8 +2 +EIN +00:00:00 +00:00:02 +00:00:02")));
}

TEST(CsvExport, MatchesTvrtoolByteForByte) {
    TempDir dir;
    const TimerProgram program = MakeProgram({{3, {{true, 0, 0, 5, 0}, {false, 1, 2, 3, 4}}},
                                              {3, {{true, 0, 90, 0, 0}}},
                                              {12, {{false, 0, 0, 0, 0}}}},
                                             true);
    const std::string tvr = dir.File("p.tvr");
    ASSERT_TRUE(program.SaveToFile(tvr));
    const QString csv = QString::fromStdString(dir.File("p.csv"));
    QString error;
    ASSERT_TRUE(ExportCsv(StateFromProgram(program), csv, error)) << error.toStdString();
    std::istringstream in;
    std::ostringstream out, err;
    ASSERT_EQ(RunTvrTool({"csv", tvr}, in, out, err), 0) << err.str();
    EXPECT_EQ(ReadFile(csv.toStdString()), out.str());
}

}  // namespace

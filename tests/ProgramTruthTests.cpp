// The window, the device check, tvrtool and the file tell one truth about a program: every
// place lists the same findings, and a file is never rewritten with less than it held unless
// the user was told and agreed.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <sstream>

#include "ModalHandler.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "cli/TvrTool.h"
#include "core/TimerFile.h"
#include "gui/app/ClipboardActions.h"
#include "gui/app/EditActions.h"
#include "gui/app/FileActions.h"
#include "gui/app/MainWindow.h"
#include "gui/common/Language.h"
#include "gui/common/TimerTexts.h"
#include "gui/document/ProgramDocument.h"

using namespace testing_support;

namespace {

std::string Header() {
    return "TVRX\r\n1000\r\n";
}

// Timers first..last, one ON second each.
std::string Timers(int first, int last) {
    std::string text;
    for (int t = first; t <= last; ++t) {
        text += "Timer " + std::to_string(t) + "\r\nON - 00:00:01\r\n";
    }
    return text;
}

struct ToolCheck {
    int code = 0;
    QStringList out;
    QStringList err;
};

ToolCheck RunCheck(const std::string& path) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ToolCheck check;
    check.code = RunTvrTool({"check", path}, in, out, err);
    check.out = QString::fromStdString(out.str()).split(u'\n', Qt::SkipEmptyParts);
    check.err = QString::fromStdString(err.str()).split(u'\n', Qt::SkipEmptyParts);
    return check;
}

class ProgramTruthTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        window.show();
    }
    void TearDown() override { EXPECT_EQ(prompter.unexpected, QStringList()); }

    QString Write(const std::string& name, const std::string& text) {
        WriteFile(dir.File(name), text);
        return QString::fromStdString(dir.File(name));
    }
    ProgramDocument& Document() { return window.GetDocument(); }

    const AppLanguage english{QStringLiteral("en")};
    ScriptedPrompter prompter;
    ModalHandler modal;
    TempDir dir;
    MainWindow window;
};

// ---- one device check -----------------------------------------------------------------------

TEST_F(ProgramTruthTest, StatusLineShowProblemsProgramAndTvrtoolGiveTheSameFindings) {
    const struct {
        const char* name;
        std::string text;
        int problems;
        int warnings;
    } files[] = {
        {"clean.tvr", Header() + Timers(0, 1), 0, 0},
        {"startup.tvr", Header() + "STARTUP ENABLED\r\n" + Timers(3, 3), 0, 1},
        {"twice.tvr", Header() + "STARTUP ENABLED\r\n" + Timers(1, 2) + Timers(1, 1), 1, 1},
        // 30 timers of 4 bytes and three intervals more: 129 bytes.
        {"129.tvr", Header() + Timers(0, 29) + "OFF - 1:0:0\r\nOFF - 1:0:0\r\nOFF - 1:0:0\r\n", 1,
         0},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const QString path = Write(file.name, file.text);
        prompter.messages.clear();
        prompter.fullLists.clear();
        ASSERT_TRUE(window.OpenFile(path));
        const ProgramFacts& facts = Document().GetFacts();
        ASSERT_EQ(facts.counts.problems, file.problems);
        ASSERT_EQ(facts.counts.warnings, file.warnings);
        QStringList problems;
        QStringList warnings;
        QStringList lines;
        for (const DeviceProblem& finding : facts.findings) {
            (finding.IsWarning() ? warnings : problems)
                .append(QString::fromStdString(finding.message));
            lines.append(FindingLine(finding));
        }

        // The status line counts them apart.
        const QString status = window.GetSummaryText();
        EXPECT_EQ(status.contains(QStringLiteral("problem")), file.problems > 0)
            << status.toStdString();
        EXPECT_EQ(status.contains(QStringLiteral("warning")), file.warnings > 0)
            << status.toStdString();

        // Show Problems lists them all.
        prompter.messages.clear();
        window.Edits().OnShowProblems();
        ASSERT_EQ(prompter.messages.size(), 1);
        if (!lines.isEmpty()) {
            EXPECT_EQ(prompter.fullLists.constLast(), lines.join(u'\n'));
        }

        // Program refuses the problems, and names the warnings in its dialog without a box.
        prompter.messages.clear();
        QString shownWarnings;
        if (file.problems == 0) {
            modal.Expect([&shownWarnings](QDialog& dialog) {
                const auto* label = dialog.findChild<QLabel*>(QStringLiteral("programWarnings"));
                shownWarnings = label != nullptr && !label->isHidden() ? label->text() : QString();
                dialog.reject();
            });
        }
        window.OnProgram();
        if (file.problems > 0) {
            ASSERT_EQ(prompter.messages, QStringList{"The device cannot take this program."});
            EXPECT_EQ(prompter.fullLists.constLast(), problems.join(u'\n'));
        } else {
            EXPECT_TRUE(modal.Seen());
            EXPECT_TRUE(prompter.messages.isEmpty());
            for (const QString& warning : warnings) {
                EXPECT_TRUE(shownWarnings.contains(warning)) << warning.toStdString();
            }
            EXPECT_EQ(shownWarnings.isEmpty(), warnings.isEmpty());
        }

        // tvrtool: problems on standard output and exit 1, warnings on standard error.
        const ToolCheck tool = RunCheck(path.toStdString());
        EXPECT_EQ(tool.code, file.problems > 0 ? 1 : 0);
        QStringList toolWarnings;
        for (const QString& line : tool.err) {
            if (line.startsWith(QStringLiteral("warning: "))) {
                toolWarnings.append(line.mid(9));
            }
        }
        EXPECT_EQ(toolWarnings, warnings);
        if (file.problems == 0) {
            EXPECT_TRUE(tool.out.value(0).startsWith(QStringLiteral("ok: ")))
                << tool.out.join(u'|').toStdString();
        } else {
            // The same problems; only the advice for a timer in two places names the editor's
            // command in the window.
            EXPECT_EQ(tool.out.size(), problems.size());
        }
    }
}

// ---- nothing dropped without a word ----------------------------------------------------------

TEST_F(ProgramTruthTest, ThirtyTwoTimersOpenWholeAndAPlainSaveLeavesTheFileAsItWas) {
    const std::string text = Header() + Timers(0, 31);
    const QString path = Write("all.tvr", text);
    ASSERT_TRUE(window.OpenFile(path));
    EXPECT_EQ(Document().GetState().panels.size(), 32u);
    EXPECT_FALSE(window.isWindowModified());
    const std::int64_t time = FileTime(path.toStdString());
    ASSERT_TRUE(window.Files().OnFileSave());
    EXPECT_EQ(ReadFile(path.toStdString()), text);
    EXPECT_EQ(FileTime(path.toStdString()), time) << "a file read whole is not written again";
}

TEST_F(ProgramTruthTest, OpeningWithASkippedLineOpensChangedAndTheFirstSaveOverItAsks) {
    const std::string text = Header() + Timers(2, 2) + "ON 00:00:09\r\n";
    const QString path = Write("talk.tvr", text);
    ASSERT_TRUE(window.OpenFile(path));
    ASSERT_EQ(prompter.messages,
              QStringList{"talk.tvr was opened, but not every line of it could be read."});
    EXPECT_TRUE(window.isWindowModified()) << "the program is not what the file holds";
    EXPECT_TRUE(Document().IsModified());

    // Cancel writes nothing; Save As keeps the file and writes another.
    prompter.answers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(window.Files().OnFileSave());
    ASSERT_EQ(prompter.questions,
              QStringList{"Saving writes talk.tvr without the 1 line that could not be read."});
    EXPECT_EQ(ReadFile(path.toStdString()), text);
    prompter.answers = {Prompter::Answer::SaveAs};
    prompter.saveNames = {QString::fromStdString(dir.File("copy.tvr"))};
    ASSERT_TRUE(window.Files().OnFileSave());
    EXPECT_EQ(ReadFile(path.toStdString()), text);
    EXPECT_EQ(ReadFile(dir.File("copy.tvr")), Header() + Timers(2, 2));
    EXPECT_FALSE(window.isWindowModified());

    // Close asks about the changes, and saving over the same file asks about what goes.
    ASSERT_TRUE(window.OpenFile(path));
    prompter.questions.clear();
    prompter.answers = {Prompter::Answer::Yes, Prompter::Answer::Yes, Prompter::Answer::Replace};
    prompter.saveNames = {path};
    ASSERT_TRUE(window.Files().OnFileClose());
    EXPECT_EQ(prompter.questions,
              (QStringList{"Save changes to talk.tvr?",
                           "talk.tvr already exists.\nDo you want to replace it?",
                           "Saving writes talk.tvr without the 1 line that could not be read."}));
    EXPECT_EQ(ReadFile(path.toStdString()), Header() + Timers(2, 2));
}

TEST_F(ProgramTruthTest, TimerPlacesPastTheEditorsAreNamedAndABoxOfThemFitsTheScreen) {
    // 150 timer places: the editor holds 32, the rest are named in the box's first ten and in
    // its details.
    std::string text = Header();
    for (int place = 0; place < 150; ++place) {
        text += "Timer " + std::to_string(place % 40) + "\r\nON - 00:00:01\r\n";
    }
    const QString path = Write("many.tvr", text);
    QtPrompter real;
    const Prompter::Override useReal(real);
    QSize size;
    QString said;
    modal.Expect([&](QDialog& box) {
        box.adjustSize();
        size = box.size();
        said = static_cast<QMessageBox&>(box).informativeText();
        box.accept();
    });
    ASSERT_TRUE(window.OpenFile(path));
    ASSERT_TRUE(modal.Seen());
    EXPECT_LE(size.width(), 1024);
    EXPECT_LE(size.height(), 768);
    EXPECT_TRUE(said.contains(QStringLiteral("and 108 more"))) << said.toStdString();
    EXPECT_EQ(Document().GetState().panels.size(), 32u);
    EXPECT_TRUE(Document().IsModified());
    EXPECT_TRUE(Document().GetLosses().contains(QStringLiteral("118 parts")))
        << Document().GetLosses().toStdString();
}

// ---- what the window tells about refused edits ------------------------------------------------

// The refusals of the edit commands: MainWindowTests and ProgramExchangeTests. What a paste left
// out: ProgramClipboardTests, and its report in the status line: ProgramExchangeTests.
TEST_F(ProgramTruthTest, AHugePasteIsRefusedInAPastesWordsNotAFiles) {
    ASSERT_TRUE(window.OpenFile(Write("one.tvr", Header() + Timers(0, 0))));
    Document().SetSelection({0, -1});
    QMimeData data;
    data.setText(QString(2 * 1024 * 1024, u'x'));
    window.Clips().Paste(&data);
    EXPECT_EQ(prompter.messages, QStringList{"Nothing was pasted."});
    EXPECT_TRUE(prompter.details.value(0).startsWith("The clipboard holds more than 1 MiB"))
        << prompter.details.value(0).toStdString();
}

TEST_F(ProgramTruthTest, RowsCopiedThroughTheClipboardKeepTheirBlockStarts) {
    std::string text = Header() +
                       "Timer 0\r\nON - 00:00:01\r\nOFF - 00:00:02\r\nTimer 0\r\n"
                       "ON - 00:00:03\r\nOFF - 00:00:04\r\nTimer 5\r\nON - 00:00:05\r\n";
    ASSERT_TRUE(window.OpenFile(Write("blocks.tvr", text)));
    // Timer 0's rows 1 to 2 straddle its second block's start.
    ASSERT_TRUE(Document().GetState().panels[0].rows[2].blockStart);
    Document().SetSelection({0, 2, 1});
    window.Clips().OnCopy();
    Document().SetSelection({1, 0});
    window.Clips().OnPaste();
    const std::vector<RowState>& pasted = Document().GetState().panels[1].rows;
    ASSERT_EQ(pasted.size(), 3u);
    EXPECT_EQ(RowText(pasted[1]), "00:00:02");
    EXPECT_FALSE(pasted[1].blockStart);
    EXPECT_TRUE(pasted[2].blockStart) << "the copied block start came along";
}

}  // namespace

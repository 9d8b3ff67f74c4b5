// Shows the timer editor loaded from a timer file, so the editor can be tried before the main
// window exists.
//
//   editor_viewer [FILE.tvr] [--select PANEL ROW] [--scroll PIXELS] [--grab OUT.png]
//
// Without a file it shows a small sample program. --grab saves a picture of the window and
// exits.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <string>

#include "EditorEvents.h"
#include "TimerFile.h"
#include "TimerListCtrl.h"
#include "TimerProgram.h"

namespace {

TimerProgram SampleProgram() {
    struct Step {
        bool on;
        std::uint32_t hours, minutes, seconds, ticks;
    };
    const struct {
        int timer;
        std::initializer_list<Step> steps;
    } blocks[] = {
        {0, {{true, 0, 0, 5, 0}, {false, 0, 10, 0, 0}, {true, 1, 2, 3, 30}}},
        {3,
         {{true, 0, 0, 1, 0},
          {false, 0, 0, 1, 0},
          {true, 0, 0, 1, 0},
          {false, 0, 0, 1, 0},
          {true, 0, 0, 2, 0},
          {false, 0, 0, 2, 0},
          {true, 0, 0, 3, 0},
          {false, 0, 0, 3, 0}}},
        {3, {{true, 0, 1, 0, 0}, {false, 12, 0, 0, 0}}},
        {7, {{false, 99, 99, 99, 0}}},
    };
    TimerProgram program;
    for (const auto& spec : blocks) {
        auto block = std::make_unique<TimerBlock>();
        block->SetTimerNumber(spec.timer);
        for (const Step& s : spec.steps) {
            Interval interval;
            interval.Set(s.on, s.hours, s.minutes, s.seconds, s.ticks);
            block->AddInterval(interval);
        }
        program.AddBlock(std::move(block));
    }
    return program;
}

// Stands in for the main window: it owns the list and shows what the list reports.
class ViewerWindow : public QWidget {
public:
    ViewerWindow() {
        setWindowTitle(QStringLiteral("Timer editor"));
        setFixedSize(258, 340);
        auto* title =
            new QLabel(QStringLiteral("Click a caption, a label twice, a box; type."), this);
        title->setGeometry(11, 10, 236, 32);
        title->setWordWrap(true);
        list = new TimerListCtrl(QRect(11, 50, 236, 230), this);
        status = new QLabel(this);
        status->setGeometry(11, 288, 236, 44);
        status->setWordWrap(true);
    }

    TimerListCtrl* List() const { return list; }

    void Refresh() {
        int index = -1, row = -1;
        list->GetSelection(index, row);
        QString text = QStringLiteral(
                           "Memory used: %1 of 128 bytes. Edits: %2.\nSelection: "
                           "panel %3, row %4.")
                           .arg(list->GetMemoryUsed())
                           .arg(modifications)
                           .arg(index)
                           .arg(row);
        int badPanel = -1, badRow = -1;
        if (list->FindUnreadableRow(badPanel, badRow)) {
            text += QStringLiteral(" Unreadable: panel %1 row %2.").arg(badPanel).arg(badRow);
        }
        status->setText(text);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == WMU_PROGRAM_MODIFIED) {
            ++modifications;
            Refresh();
            return true;
        }
        return QWidget::event(event);
    }

private:
    TimerListCtrl* list = nullptr;
    QLabel* status = nullptr;
    int modifications = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    args.removeFirst();

    QString file, grabPath;
    int selectPanel = -2, selectRow = -1, scroll = 0;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--select") && i + 2 < args.size()) {
            selectPanel = args[++i].toInt();
            selectRow = args[++i].toInt();
        } else if (arg == QLatin1String("--scroll") && i + 1 < args.size()) {
            scroll = args[++i].toInt();
        } else if (arg == QLatin1String("--grab") && i + 1 < args.size()) {
            grabPath = args[++i];
        } else if (arg.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr,
                         "usage: editor_viewer [FILE.tvr] [--select PANEL ROW] [--scroll PIXELS] "
                         "[--grab OUT.png]\n");
            return 2;
        } else {
            file = arg;
        }
    }

    TimerProgram program;
    if (file.isEmpty()) {
        program = SampleProgram();
    } else {
        const LoadResult result = ReadTimerFile(file.toStdString(), program);
        if (!result.Ok()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(file), result.Message().c_str());
            return 2;
        }
    }

    ViewerWindow window;
    window.List()->LoadProgram(program);
    if (selectPanel != -2) {
        window.List()->Select(selectPanel, selectRow);
    }
    window.Refresh();
    window.show();
    window.activateWindow();
    // Scrolling needs the list on screen.
    for (int moved = 0; moved < scroll; moved += kWheelScrollStep) {
        window.List()->OnMouseWheel(-120);
    }

    if (!grabPath.isEmpty()) {
        QTimer::singleShot(0, &window, [&] {
            const bool saved = window.grab().save(grabPath);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}

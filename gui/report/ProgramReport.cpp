#include "gui/report/ProgramReport.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/DeviceLimits.h"
#include "core/ProgramCsv.h"
#include "core/ProgramSummary.h"
#include "core/TimelineMath.h"
#include "core/TimerProgram.h"
#include "gui/common/Prompter.h"
#include "gui/timeline/TimelinePaint.h"

namespace {

// The report is laid out in points whatever the device's resolution; fonts are sized in the
// same units, so a 9 is 9 pt on paper.
QFont ReportFont(double size, bool bold = false) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(static_cast<int>(size));
    font.setBold(bold);
    return font;
}

// Paper is white and ink is black, whatever the screen's theme.
QPalette PrintPalette() {
    QPalette palette;
    for (const auto role : {QPalette::Base, QPalette::Window, QPalette::AlternateBase}) {
        palette.setColor(role, Qt::white);
    }
    for (const auto role : {QPalette::Text, QPalette::WindowText}) {
        palette.setColor(role, Qt::black);
    }
    palette.setColor(QPalette::Highlight, QColor(90, 90, 90));
    return palette;
}

// Numbers in the language's digits, without a group separator: "4743 bytes" as the report has
// always written them, in English and in German alike.
QString Number(int value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value);
}

struct TableRow {
    QString cells[7];
};

constexpr double kCellPadding = 6;  // 3 on either side

constexpr std::array<const char*, 7> kColumns = {QT_TRANSLATE_NOOP("ProgramReport", "Timer"),
                                                 QT_TRANSLATE_NOOP("ProgramReport", "Interval"),
                                                 QT_TRANSLATE_NOOP("ProgramReport", "State"),
                                                 QT_TRANSLATE_NOOP("ProgramReport", "Length"),
                                                 QT_TRANSLATE_NOOP("ProgramReport", "Start"),
                                                 QT_TRANSLATE_NOOP("ProgramReport", "End"),
                                                 QT_TRANSLATE_NOOP("ProgramReport", "Block start")};
constexpr std::array<double, 7> kColumnShares = {0.12, 0.11, 0.09, 0.20, 0.18, 0.18, 0.12};

std::vector<TableRow> TableRows(const TimelineLayout& layout) {
    std::vector<TableRow> rows;
    for (const TimelineLane& lane : layout.lanes) {
        for (const TimelineBar& bar : lane.bars) {
            TableRow row;
            row.cells[0] = Number(lane.timerNumber);
            row.cells[1] = Number(bar.row + 1);
            row.cells[2] = bar.on ? QCoreApplication::translate("ProgramReport", "ON")
                                  : QCoreApplication::translate("ProgramReport", "OFF");
            row.cells[3] = QString::fromStdString(bar.text);
            row.cells[4] = QString::fromStdString(FormatTimelineTime(bar.start));
            row.cells[5] = QString::fromStdString(FormatTimelineTime(bar.End()));
            row.cells[6] =
                bar.blockStart ? QCoreApplication::translate("ProgramReport", "yes") : QString();
            rows.push_back(row);
        }
    }
    return rows;
}

// The columns' widths: their shares of the page, except that a column is never narrower than
// its title (German titles are longer); the room comes from columns wider than their title and
// cells need, so a table whose titles fit keeps its shares.
std::array<double, 7> ColumnWidths(double width, const std::array<QString, 7>& titles,
                                   const std::vector<TableRow>& rows, const QFont& titleFont,
                                   const QFont& cellFont) {
    const QFontMetricsF title(titleFont);
    const QFontMetricsF cell(cellFont);
    std::array<double, 7> widths{};
    std::array<double, 7> spare{};
    double missing = 0;
    double available = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = kColumnShares[c] * width;
        const double titleNeeds = title.horizontalAdvance(titles[c]) + kCellPadding;
        if (widths[c] < titleNeeds) {
            // With a point to spare, so rounding cannot elide it after all.
            const double grown = std::ceil(titleNeeds) + 1;
            missing += grown - widths[c];
            widths[c] = grown;
            continue;
        }
        double needs = titleNeeds;
        for (const TableRow& row : rows) {
            needs = std::max(needs, std::ceil(cell.horizontalAdvance(row.cells[c])) + kCellPadding);
        }
        spare[c] = std::max(0.0, widths[c] - needs);
        available += spare[c];
    }
    if (missing > 0 && available > 0) {
        const double taken = std::min(1.0, missing / available);
        for (std::size_t c = 0; c < widths.size(); ++c) {
            widths[c] -= spare[c] * taken;
        }
    }
    return widths;
}

// What goes on one page after the header.
struct PagePlan {
    int firstRow = 0;
    int rowCount = 0;  // table rows; the column titles come with any
    int firstLane = 0;
    int laneCount = 0;  // timeline lanes; the section title and axis come with any
};

class ReportPainter {
public:
    ReportPainter(QPainter& painter, double width, double height, const EditorState& state,
                  const ReportInfo& info)
        : painter(painter),
          width(width),
          height(height),
          info(info),
          layout(LayoutTimeline(state)),
          rows(TableRows(layout)),
          titleFont(ReportFont(13, true)),
          textFont(ReportFont(9)),
          boldFont(ReportFont(9, true)),
          timelineFont(ReportFont(8)),
          marks(ReportMarks(info.facts, info.unsaved)) {
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            titles[c] = QCoreApplication::translate("ProgramReport", kColumns[c]);
        }
        columnWidths = ColumnWidths(width, titles, rows, boldFont, textFont);
        summaryLine =
            QString::fromStdString(FormatSummaryLine(info.facts.summary, kDeviceMemoryBytes)) +
            QStringLiteral(" \u00B7 ") +
            (state.startup
                 ? QCoreApplication::translate("ProgramReport", "Run timer 0 on power up: yes")
                 : QCoreApplication::translate("ProgramReport", "Run timer 0 on power up: no"));
        const QFontMetricsF title(titleFont);
        const QFontMetricsF text(textFont);
        headerHeight = title.height() + (2 + marks.size()) * text.height() + 14;
        rowHeight = std::ceil(text.height() * 1.3);
        sectionTitleHeight = std::ceil(QFontMetricsF(boldFont).height() * 1.8);
        laneHeight = TimelineHeight(timelineFont, 1) - TimelineHeight(timelineFont, 0);
        axisHeight = TimelineHeight(timelineFont, 0);
        Plan();
    }

    int PageCount() const { return static_cast<int>(pages.size()); }

    void PaintPage(int index) {
        const PagePlan& plan = pages[static_cast<std::size_t>(index)];
        PaintHeader(index);
        double y = headerHeight;
        if (plan.rowCount > 0) {
            y = PaintTable(y, plan);
        }
        if (plan.laneCount > 0) {
            PaintTimelineSlice(y, plan);
        }
    }

private:
    double BodyHeight() const { return std::max(1.0, height - headerHeight); }

    void Plan() {
        const double body = BodyHeight();
        const int rowsPerPage = std::max(1, static_cast<int>((body - rowHeight) / rowHeight));
        const int total = static_cast<int>(rows.size());
        for (int first = 0; first < total; first += rowsPerPage) {
            pages.push_back({first, std::min(rowsPerPage, total - first), 0, 0});
        }
        const int lanes = static_cast<int>(layout.lanes.size());
        if (lanes == 0) {
            if (pages.empty()) {
                pages.push_back({});
            }
            return;
        }
        const int lanesPerPage =
            std::max(1, static_cast<int>((body - sectionTitleHeight - axisHeight) / laneHeight));
        // The timeline shares the table's last page when all of it fits below the table.
        int firstLane = 0;
        if (!pages.empty()) {
            const double used = rowHeight * (pages.back().rowCount + 1) + sectionTitleHeight;
            if (used + axisHeight + lanes * laneHeight <= body) {
                pages.back().laneCount = lanes;
                firstLane = lanes;
            }
        }
        // The rest spread evenly over the pages they need, so no page holds a lone lane.
        const int rest = lanes - firstLane;
        const int pageCount = (rest + lanesPerPage - 1) / lanesPerPage;
        const int perPage = pageCount > 0 ? (rest + pageCount - 1) / pageCount : 0;
        for (; firstLane < lanes; firstLane += perPage) {
            pages.push_back({0, 0, firstLane, std::min(perPage, lanes - firstLane)});
        }
    }

    void PaintHeader(int index) {
        const QFontMetricsF title(titleFont);
        const QFontMetricsF text(textFont);
        painter.setPen(Qt::black);
        painter.setFont(titleFont);
        const QString page = QCoreApplication::translate("ProgramReport", "Page %1 of %2")
                                 .arg(Number(index + 1), Number(static_cast<int>(pages.size())));
        const double pageWidth = text.horizontalAdvance(page) + 4;
        painter.drawText(QRectF(0, 0, width - pageWidth - 8, title.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         title.elidedText(info.title, Qt::ElideMiddle, width - pageWidth - 8));
        painter.setFont(textFont);
        painter.drawText(QRectF(width - pageWidth, 0, pageWidth, title.height()),
                         Qt::AlignRight | Qt::AlignVCenter, page);
        double y = title.height() + 2;
        //: The moment the report was made, in Qt's date format letters (QDateTime::toString).
        const QString dateFormat = QCoreApplication::translate("ProgramReport", "yyyy-MM-dd HH:mm");
        painter.drawText(QRectF(0, y, width, text.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         QCoreApplication::translate("ProgramReport", "Printed %1")
                             .arg(QLocale().toString(info.printed, dateFormat)));
        y += text.height();
        painter.drawText(QRectF(0, y, width, text.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         text.elidedText(summaryLine, Qt::ElideRight, width));
        y += text.height();
        painter.setFont(boldFont);
        for (const QString& mark : marks) {
            painter.drawText(QRectF(0, y, width, text.height()), Qt::AlignLeft | Qt::AlignVCenter,
                             QFontMetricsF(boldFont).elidedText(mark, Qt::ElideRight, width));
            y += text.height();
        }
        y += 5;
        painter.setPen(QPen(Qt::black, 0.8));
        painter.drawLine(QPointF(0, y), QPointF(width, y));
    }

    double ColumnLeft(int column) const {
        double left = 0;
        for (int c = 0; c < column; ++c) {
            left += columnWidths[static_cast<std::size_t>(c)];
        }
        return left;
    }

    void PaintRow(double y, const QString* cells, const QFont& font) {
        const QFontMetricsF fm(font);
        painter.setFont(font);
        for (int c = 0; c < 7; ++c) {
            const double left = ColumnLeft(c) + 3;
            const double cellWidth = columnWidths[static_cast<std::size_t>(c)] - kCellPadding;
            painter.drawText(QRectF(left, y, cellWidth, rowHeight),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             fm.elidedText(cells[c], Qt::ElideRight, cellWidth));
        }
    }

    double PaintTable(double y, const PagePlan& plan) {
        painter.setPen(Qt::black);
        PaintRow(y, titles.data(), boldFont);
        y += rowHeight;
        painter.setPen(QPen(Qt::black, 0.5));
        painter.drawLine(QPointF(0, y), QPointF(width, y));
        for (int i = plan.firstRow; i < plan.firstRow + plan.rowCount; ++i) {
            const TableRow& row = rows[static_cast<std::size_t>(i)];
            // A new timer starts under a rule, so the eye finds it in a long table.
            if (i > plan.firstRow && row.cells[1] == QLatin1String("1")) {
                painter.setPen(QPen(Qt::black, 0.5));
                painter.drawLine(QPointF(0, y), QPointF(width, y));
            }
            painter.setPen(Qt::black);
            PaintRow(y, row.cells, textFont);
            y += rowHeight;
        }
        return y;
    }

    void PaintTimelineSlice(double y, const PagePlan& plan) {
        painter.setPen(Qt::black);
        painter.setFont(boldFont);
        painter.drawText(
            QRectF(0, y, width, sectionTitleHeight), Qt::AlignLeft | Qt::AlignBottom,
            plan.firstLane == 0
                ? QCoreApplication::translate("ProgramReport", "Timeline")
                : QCoreApplication::translate("ProgramReport", "Timeline (continued)"));
        y += sectionTitleHeight + 4;
        const QRectF rect(0, y, width, axisHeight + plan.laneCount * laneHeight);
        TimelinePaintOptions options;
        options.font = timelineFont;
        options.palette = PrintPalette();
        options.firstLane = plan.firstLane;
        options.laneCount = plan.laneCount;
        const TimelineFrame frame = MakeTimelineFrame(rect, timelineFont, 1, 0, 0);
        options.pixelsPerTick = FitPixelsPerTick(layout.longest, frame.FitWidth());
        PaintTimeline(painter, rect, layout, options);
        painter.setPen(QPen(Qt::black, 0.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
    }

    QPainter& painter;
    double width;
    double height;
    const ReportInfo& info;
    TimelineLayout layout;
    std::vector<TableRow> rows;
    std::array<QString, 7> titles;
    std::array<double, 7> columnWidths{};
    QFont titleFont, textFont, boldFont, timelineFont;
    QStringList marks;
    QString summaryLine;
    double headerHeight = 0, rowHeight = 0, sectionTitleHeight = 0, laneHeight = 0, axisHeight = 0;
    std::vector<PagePlan> pages;
};

}  // namespace

namespace {

ReportInfo Dated(ReportInfo info) {
    if (!info.printed.isValid()) {
        info.printed = QDateTime::currentDateTime();
    }
    return info;
}

}  // namespace

QStringList ReportMarks(const ProgramFacts& facts, bool unsaved) {
    QStringList findings;
    for (const DeviceProblem& finding : facts.findings) {
        if (finding.kind == DeviceProblem::Kind::OutOfMemory) {
            findings.append(QCoreApplication::translate(
                                "ProgramReport",
                                "Too large for the device: it needs %1 bytes, the device holds %2.")
                                .arg(Number(facts.summary.bytes), Number(kDeviceMemoryBytes)));
            continue;
        }
        // A line each: the short words, which the header does not cut.
        const QString text = QString::fromStdString(ShortProblemText(finding));
        findings.append(
            finding.IsWarning()
                ? QCoreApplication::translate("ProgramReport", "Warning: %1").arg(text)
                : QCoreApplication::translate("ProgramReport", "Problem: %1").arg(text));
    }
    // However many there are, the header keeps its room on the page.
    QStringList marks = ShortList(findings).split(u'\n', Qt::SkipEmptyParts);
    if (unsaved) {
        marks.append(QCoreApplication::translate(
            "ProgramReport",
            "Unsaved changes: this is the program as the editor shows it, not as its file holds "
            "it."));
    }
    return marks;
}

int PaintProgramReport(QPagedPaintDevice& device, const EditorState& state,
                       const ReportInfo& info) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    const double scale = device.logicalDpiX() / 72.0;
    painter.scale(scale, scale);
    const double width = device.width() / scale;
    const double height = device.height() / scale;
    ReportPainter report(painter, width, height, state, info);
    for (int page = 0; page < report.PageCount(); ++page) {
        if (page > 0) {
            device.newPage();
        }
        report.PaintPage(page);
    }
    painter.end();
    return report.PageCount();
}

bool ExportPdf(const EditorState& state, const QString& fileName, const ReportInfo& info,
               QString& error) {
    // Written aside and renamed, so a failure leaves an older file as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QCoreApplication::translate("ProgramReport", "Unable to write %1: %2")
                    .arg(fileName, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(info.title);
        writer.setCreator(QStringLiteral("Programmable Timer"));
        // Letter where people measure in inches, as printers there default to it; else A4.
        const bool inches = QLocale::system().measurementSystem() != QLocale::MetricSystem;
        writer.setPageSize(QPageSize(inches ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        if (PaintProgramReport(writer, state, Dated(info)) == 0) {
            error =
                QCoreApplication::translate("ProgramReport", "Unable to write %1").arg(fileName);
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        error = QCoreApplication::translate("ProgramReport", "Unable to write %1: %2")
                    .arg(fileName, file.errorString());
        return false;
    }
    return true;
}

bool PrintReport(QPrinter& printer, const EditorState& state, const ReportInfo& info,
                 QString& error) {
    printer.setDocName(info.title);
    if (PaintProgramReport(printer, state, Dated(info)) == 0) {
        error = QCoreApplication::translate("ProgramReport",
                                            "Unable to print: the printer could not start.");
        return false;
    }
    return true;
}

bool ExportCsv(const EditorState& state, const QString& fileName, QString& error) {
    const std::string csv = ProgramToCsv(ProgramFromState(state));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        error = QCoreApplication::translate("ProgramReport", "Unable to write %1: %2")
                    .arg(fileName, file.errorString());
        return false;
    }
    return true;
}

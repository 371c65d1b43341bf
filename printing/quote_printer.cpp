#include "printing/quote_printer.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "printing/document_chart.h"
#include "qtcore/qt_text.h"

namespace rq {
namespace {

constexpr double kMarginMillimetres = 15;
constexpr double kBodyPoints = 9;
constexpr double kTitlePoints = 16;
constexpr double kCompanyPoints = 12;
constexpr double kSmallPoints = 8;
constexpr int kProgressStep = 128;
// Relative widths of 序号, 项目名称, 单位, 数量, 单价, 总计 and the added-item mark: the item
// names get the room, the figures enough for a six-digit price with decimals.
constexpr double kSheetColumnWeights[] = {6, 33, 8, 14, 14, 15, 10};

// A CJK font that the set-up installs, then what the system offers: the PDF embeds
// whichever is found.
QFont QuoteFont(double points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans SC"), QStringLiteral("Droid Sans Fallback")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString WithoutTrailingBlanks(QString line)
{
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    return line;
}

// The text in lines no wider than `width`: broken at line breaks, then between words or,
// for a word or a Chinese run too long for the column, anywhere. Nothing is left out.
QStringList WrapText(const QString& text, const QFont& font, const QFontMetricsF& metrics, QPaintDevice* device,
                     double width)
{
    QStringList lines;
    QString cleaned = text;
    cleaned.remove(QLatin1Char('\r'));
    for (const QString& paragraph : cleaned.split(QLatin1Char('\n'))) {
        if (metrics.horizontalAdvance(paragraph) <= width) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, font, device);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << WithoutTrailingBlanks(paragraph.mid(line.textStart(), line.textLength()));
        }
        layout.endLayout();
    }
    return lines;
}

// A part of a table row on one page: a row taller than a page goes on over the next.
struct RowSlice {
    int row = 0;
    int firstLine = 0;
    int lineCount = 0;
    bool lastOfRow = true;
};

// The quote details follow the title on the first page; notes longer than the page go on
// over the next ones, whole lines on each, before the table begins.
struct Page {
    int firstDetail = 0;
    int detailCount = 0;
    bool table = false;   // the table's column heads and rows stand on this page
    double tableTop = 0;  // where its column heads begin
    std::vector<RowSlice> slices;
};

class QuoteLayout {
public:
    QuoteLayout(const QuoteDocument& document, QPagedPaintDevice& device)
        : m_document(document)
        , m_device(device)
        , m_body(QuoteFont(kBodyPoints, false))
        , m_bold(QuoteFont(kBodyPoints, true))
        , m_title(QuoteFont(kTitlePoints, true))
        , m_company(QuoteFont(kCompanyPoints, true))
        , m_small(QuoteFont(kSmallPoints, false))
        , m_bodyMetrics(m_body, &device)
    {
        const QRectF paper = device.pageLayout().paintRectPixels(device.logicalDpiX());
        m_width = paper.width();
        m_height = paper.height();
        m_points = device.logicalDpiY() / 72.0;
        m_padding = 2 * m_points;
        m_lineHeight = std::max(m_bodyMetrics.lineSpacing(), QFontMetricsF(m_bold, &device).lineSpacing());
        placeColumns();
    }

    // Wraps every cell and breaks the rows into pages; false when stopped.
    bool layOut(const ProgressCallback& progress, int progressTotal)
    {
        layOutHead();
        m_footHeight = QFontMetricsF(m_small, &m_device).lineSpacing() + 4 * m_points;
        const int rowCount = static_cast<int>(m_document.rows.size());
        m_rowLines.reserve(static_cast<std::size_t>(rowCount));
        for (int row = 0; row < rowCount; ++row) {
            if (row % kProgressStep == 0 && progress && !progress(row, progressTotal))
                return false;
            m_rowLines.push_back(wrapRow(m_document.rows[static_cast<std::size_t>(row)]));
        }
        paginate();
        return true;
    }

    int pageCount() const { return static_cast<int>(m_pages.size()) + (m_chartOnOwnPage ? 1 : 0); }

    bool paint(QPainter& painter, const ProgressCallback& progress, int progressDone, int progressTotal)
    {
        int painted = 0;
        for (int page = 0; page < static_cast<int>(m_pages.size()); ++page) {
            if (page > 0)
                m_device.newPage();
            const Page& layout = m_pages[static_cast<std::size_t>(page)];
            paintDetails(painter, layout, page == 0 ? paintHead(painter) : 0);
            double y = layout.tableTop;
            if (layout.table && !m_document.columnHeads.empty())
                y = paintColumnHeads(painter, y);
            for (const RowSlice& slice : layout.slices) {
                if (++painted % kProgressStep == 0 && progress && !progress(progressDone + painted, progressTotal))
                    return false;
                y = paintSlice(painter, slice, y);
            }
            if (page + 1 == static_cast<int>(m_pages.size()) && m_document.chart && !m_chartOnOwnPage)
                PaintDocumentChart(painter, chartPlace(y), *m_document.chart);
            paintFoot(painter, page);
        }
        if (m_document.chart && m_chartOnOwnPage) {
            m_device.newPage();
            PaintDocumentChart(painter, chartPlace(0), *m_document.chart);
            paintFoot(painter, pageCount() - 1);
        }
        return true;
    }

private:
    using CellLines = std::vector<QStringList>;

    void placeColumns()
    {
        const int columns = std::max(1, m_document.ColumnCount());
        std::vector<double> weights(static_cast<std::size_t>(columns), 1.0);
        if (!m_document.columnWeights.empty()) {
            for (int column = 0; column < columns && column < static_cast<int>(m_document.columnWeights.size()); ++column)
                weights[static_cast<std::size_t>(column)] = m_document.columnWeights[static_cast<std::size_t>(column)];
        } else if (!m_document.columnHeads.empty()) {
            for (int column = 0; column < columns && column < static_cast<int>(std::size(kSheetColumnWeights)); ++column)
                weights[static_cast<std::size_t>(column)] = kSheetColumnWeights[column];
        }
        double sum = 0;
        for (const double weight : weights)
            sum += weight;
        double x = 0;
        for (const double weight : weights) {
            m_columnLeft.push_back(x);
            m_columnWidth.push_back(m_width * weight / sum);
            x += m_width * weight / sum;
        }
    }

    double textWidth(std::size_t column) const { return m_columnWidth[column] - 2 * m_padding; }

    // The lines of each cell, kept only for a row with a cell that wraps or breaks its line:
    // every other row (nearly all of a large sheet) is painted from the document's own texts,
    // so that a sheet of 100,000 rooms is not held a second time as lines. None kept means
    // each cell is its one line.
    CellLines wrapRow(const DocumentRow& row)
    {
        const QFont& font = row.emphasis == RowEmphasis::Plain ? m_body : m_bold;
        const QFontMetricsF metrics(font, &m_device);
        CellLines cells;
        bool wraps = false;
        for (std::size_t column = 0; column < row.cells.size() && column < m_columnWidth.size(); ++column) {
            const QString text = toQString(row.cells[column]);
            cells.push_back(WrapText(text, font, metrics, &m_device, textWidth(column)));
            wraps = wraps || cells.back().size() != 1 || cells.back().front() != text;
        }
        return wraps ? cells : CellLines();
    }

    static int LineCount(const CellLines& cells)
    {
        int lines = 1;  // an empty row still keeps its place, as on the sheet
        for (const QStringList& cell : cells)
            lines = std::max(lines, static_cast<int>(cell.size()));
        return lines;
    }

    double rowHeight(int lines) const { return lines * m_lineHeight + 2 * m_padding; }

    // The first page's head: the company, a rule and the title; the details and the date
    // follow it (see paginate).
    void layOutHead()
    {
        const std::vector<Text>& company = m_document.companyLines;
        if (!company.empty())
            m_companyName = WrapText(toQString(company.front()), m_company, QFontMetricsF(m_company, &m_device),
                                     &m_device, m_width);
        Text contact;
        for (std::size_t i = 1; i < company.size(); ++i)
            contact += (contact.empty() ? "" : "    ") + company[i];
        m_contact = WrapText(toQString(contact), m_small, QFontMetricsF(m_small, &m_device), &m_device, m_width);
        m_titleLines = WrapText(toQString(m_document.title), m_title, QFontMetricsF(m_title, &m_device), &m_device,
                                m_width);
        const Text details = HeadLines(m_document).back();
        if (!details.empty())
            m_details = WrapText(toQString(details), m_body, m_bodyMetrics, &m_device, m_width);
        m_headHeight = m_companyName.size() * QFontMetricsF(m_company, &m_device).lineSpacing() +
                       m_contact.size() * QFontMetricsF(m_small, &m_device).lineSpacing() + 6 * m_points +
                       m_titleLines.size() * QFontMetricsF(m_title, &m_device).lineSpacing() + 6 * m_points;
    }

    // The print preview draws its pages scaled, as outlines, and outlines lose the bold a
    // font without a bold face only gets when its glyphs are rendered: there, bold text is
    // struck twice, a hair apart. Printers and PDF files embolden such a font themselves.
    void drawText(QPainter& painter, const QPointF& at, const QString& text, bool bold) const
    {
        painter.drawText(at, text);
        if (bold && painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Picture
            && !QFontDatabase::styles(QFontInfo(m_bold).family()).contains(QStringLiteral("Bold")))
            painter.drawText(at + QPointF(m_points / 3, 0), text);
    }

    // The picture goes below the table, on a page of its own when the table leaves no room
    // for it: it is never squeezed below its height.
    double chartHeight() const { return m_width * 0.5; }
    QRectF chartPlace(double y) const { return QRectF(0, y + 6 * m_points, m_width, chartHeight()); }
    void placeChart(double tableBottom)
    {
        m_chartOnOwnPage = m_document.chart && tableBottom + 6 * m_points + chartHeight() > bodyBottom();
    }

    double columnHeadsHeight() const { return m_document.columnHeads.empty() ? 0 : rowHeight(1); }

    double bodyBottom() const { return m_height - m_footHeight; }

    bool pageHasContent() const { return !m_pages.back().slices.empty() || m_pages.back().detailCount > 0; }

    void nextTablePage()
    {
        m_pages.emplace_back();
        m_pages.back().table = true;
    }

    void paginate()
    {
        m_pages.emplace_back();
        double y = m_headHeight;
        const double detailLine = m_bodyMetrics.lineSpacing();
        for (int first = 0; first < m_details.size();) {
            const int fit = static_cast<int>(std::floor((bodyBottom() - y) / detailLine));
            if (fit <= 0 && pageHasContent()) {
                m_pages.emplace_back();
                y = 0;
                continue;
            }
            const int count = std::min(std::max(fit, 1), static_cast<int>(m_details.size()) - first);
            m_pages.back().firstDetail = first;
            m_pages.back().detailCount = count;
            y += count * detailLine;
            first += count;
        }
        y += 8 * m_points;
        // The column heads never stand alone at the foot of the details.
        if (pageHasContent() && y + columnHeadsHeight() + rowHeight(1) > bodyBottom()) {
            m_pages.emplace_back();
            y = 0;
        }
        m_pages.back().table = true;
        m_pages.back().tableTop = y;
        y += columnHeadsHeight();
        const double pageTop = columnHeadsHeight();
        const int rowCount = static_cast<int>(m_rowLines.size());
        for (int row = 0; row < rowCount; ++row) {
            const int lines = LineCount(m_rowLines[static_cast<std::size_t>(row)]);
            double needed = rowHeight(lines);
            // A room's header never stands alone at the foot of a page, away from its items.
            if (m_document.rows[static_cast<std::size_t>(row)].emphasis == RowEmphasis::Heading && row + 1 < rowCount)
                needed += rowHeight(1);
            if (y + needed > bodyBottom() && pageHasContent() && rowHeight(lines) <= bodyBottom() - pageTop) {
                nextTablePage();
                y = pageTop;
            }
            // The row goes on over as many pages as it needs, whole lines on each.
            int first = 0;
            while (first < lines) {
                int fit = static_cast<int>(std::floor((bodyBottom() - y - 2 * m_padding) / m_lineHeight));
                if (fit <= 0 && !pageHasContent())
                    fit = 1;  // a line taller than the page: printed, even if it runs over the foot
                if (fit <= 0) {
                    nextTablePage();
                    y = pageTop;
                    continue;
                }
                const int count = std::min(fit, lines - first);
                m_pages.back().slices.push_back({row, first, count, first + count == lines});
                y += rowHeight(count);
                first += count;
            }
        }
        placeChart(y);
    }

    double paintHead(QPainter& painter)
    {
        double y = 0;
        const auto paintLines = [&](const QStringList& lines, const QFont& font, bool centred) {
            painter.setFont(font);
            const QFontMetricsF metrics(font, &m_device);
            for (const QString& line : lines) {
                const double x = centred ? (m_width - metrics.horizontalAdvance(line)) / 2 : 0;
                drawText(painter, QPointF(x, y + metrics.ascent()), line, font.bold());
                y += metrics.lineSpacing();
            }
        };
        paintLines(m_companyName, m_company, false);
        painter.setPen(QColor(0x55, 0x55, 0x55));
        paintLines(m_contact, m_small, false);
        y += 2 * m_points;
        painter.setPen(QPen(Qt::black, m_points));
        painter.drawLine(QPointF(0, y), QPointF(m_width, y));
        y += 4 * m_points;
        paintLines(m_titleLines, m_title, true);
        return m_headHeight;
    }

    void paintDetails(QPainter& painter, const Page& page, double y) const
    {
        painter.setFont(m_body);
        painter.setPen(Qt::black);
        for (int line = page.firstDetail; line < page.firstDetail + page.detailCount; ++line) {
            drawText(painter, QPointF(0, y + m_bodyMetrics.ascent()), m_details[line], false);
            y += m_bodyMetrics.lineSpacing();
        }
    }

    double paintColumnHeads(QPainter& painter, double y)
    {
        const double height = rowHeight(1);
        painter.fillRect(QRectF(0, y, m_width, height), QColor(0xE8, 0xE8, 0xE8));
        painter.setFont(m_bold);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(m_bold, &m_device);
        for (std::size_t column = 0; column < m_document.columnHeads.size() && column < m_columnWidth.size(); ++column) {
            const QString head = toQString(m_document.columnHeads[column]);
            drawText(painter, QPointF(cellX(column, metrics.horizontalAdvance(head)), y + m_padding + metrics.ascent()),
                     head, true);
        }
        painter.setPen(QPen(Qt::black, m_points / 2));
        painter.drawLine(QPointF(0, y + height), QPointF(m_width, y + height));
        return y + height;
    }

    // Figures stand right, so that their digits line up; texts stand left; the mark of
    // added items stands in the middle of its column, clear of the totals beside it.
    double cellX(std::size_t column, double advance) const
    {
        const bool figure = column < m_document.figureColumns.size() && m_document.figureColumns[column];
        if (figure)
            return m_columnLeft[column] + m_columnWidth[column] - m_padding - advance;
        if (column < m_document.columnHeads.size() && m_document.columnHeads[column] == kRemarkHead)
            return m_columnLeft[column] + (m_columnWidth[column] - advance) / 2;
        return m_columnLeft[column] + m_padding;
    }

    double paintSlice(QPainter& painter, const RowSlice& slice, double y)
    {
        const DocumentRow& row = m_document.rows[static_cast<std::size_t>(slice.row)];
        const QFont& font = row.emphasis == RowEmphasis::Plain ? m_body : m_bold;
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(font, &m_device);
        const auto paintLine = [&](std::size_t column, int line, const QString& text) {
            const double baseline = y + m_padding + (line - slice.firstLine) * m_lineHeight + metrics.ascent();
            drawText(painter, QPointF(cellX(column, metrics.horizontalAdvance(text)), baseline), text, font.bold());
        };
        const CellLines& cells = m_rowLines[static_cast<std::size_t>(slice.row)];
        if (cells.empty() && slice.firstLine == 0) {
            for (std::size_t column = 0; column < row.cells.size() && column < m_columnWidth.size(); ++column)
                paintLine(column, 0, toQString(row.cells[column]));
        }
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const QStringList& lines = cells[column];
            for (int line = slice.firstLine; line < slice.firstLine + slice.lineCount && line < lines.size(); ++line)
                paintLine(column, line, lines[line]);
        }
        const double bottom = y + rowHeight(slice.lineCount);
        if (slice.lastOfRow && !m_document.columnHeads.empty()) {
            painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), m_points / 3));
            painter.drawLine(QPointF(0, bottom), QPointF(m_width, bottom));
        }
        return bottom;
    }

    // "第 N 页 共 M 页", its words set apart by gaps rather than blanks: text readers run
    // the words together across a narrow blank ("第1页共1页").
    void paintFoot(QPainter& painter, int page)
    {
        const QString words[] = {QStringLiteral("第"), QString::number(page + 1), QStringLiteral("页"),
                                 QStringLiteral("共"), QString::number(pageCount()), QStringLiteral("页")};
        painter.setFont(m_small);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(m_small, &m_device);
        const double gap = metrics.height() / 2;
        double width = gap * (std::size(words) - 1);
        for (const QString& word : words)
            width += metrics.horizontalAdvance(word);
        double x = (m_width - width) / 2;
        for (const QString& word : words) {
            painter.drawText(QPointF(x, m_height - metrics.descent()), word);
            x += metrics.horizontalAdvance(word) + gap;
        }
    }

    const QuoteDocument& m_document;
    QPagedPaintDevice& m_device;
    QFont m_body;
    QFont m_bold;
    QFont m_title;
    QFont m_company;
    QFont m_small;
    QFontMetricsF m_bodyMetrics;
    double m_width = 0;
    double m_height = 0;
    double m_points = 1;  // device pixels in a typographic point
    double m_padding = 0;
    double m_lineHeight = 0;
    double m_headHeight = 0;
    double m_footHeight = 0;
    std::vector<double> m_columnLeft;
    std::vector<double> m_columnWidth;
    QStringList m_companyName;
    QStringList m_contact;
    QStringList m_titleLines;
    QStringList m_details;
    std::vector<CellLines> m_rowLines;
    std::vector<Page> m_pages;
    bool m_chartOnOwnPage = false;
};

}  // namespace

void SetUpQuotePage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                               kMarginMillimetres),
                                     QPageLayout::Millimeter));
}

bool PaintQuoteDocument(const QuoteDocument& document, QPagedPaintDevice& device, const ProgressCallback& progress)
{
    const int rows = static_cast<int>(document.rows.size());
    const int total = 2 * rows;  // laying out, then painting
    QuoteLayout layout(document, device);
    if (!layout.layOut(progress, total))
        return false;
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    const bool done = layout.paint(painter, progress, rows, total);
    painter.end();
    // A stop asked for while the last page was painted still counts.
    return done && (!progress || progress(total, total));
}

WriteResult WritePdf(const QuoteDocument& document, const std::string& path, const ProgressCallback& progress)
{
    return WriteThroughTemporary(path, [&](const std::string& temporary) {
        // Opened by the bytes of its name: a name that is not UTF-8 (a folder named in GBK)
        // does not survive the way through a QString, and the pages would go to another file
        // while an empty one took the document's place.
        const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (descriptor < 0)
            return Failed(WriteProblem(path, errno));
        QFile file;
        if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(descriptor);
            return Failed(WriteProblem(path, EIO));
        }
        bool written = false;
        {
            QPdfWriter writer(&file);
            writer.setTitle(toQString(document.title));
            writer.setCreator(QStringLiteral("renoquote"));
            SetUpQuotePage(writer);
            written = PaintQuoteDocument(document, writer, progress);
        }
        if (!written)
            return Stopped();
        if (!file.flush() || file.error() != QFileDevice::NoError)
            return Failed(WriteProblem(path, errno));
        file.close();
        return WriteResult{};
    });
}

}  // namespace rq

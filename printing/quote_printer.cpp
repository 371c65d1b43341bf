#include "printing/quote_printer.h"

#include <QFile>
#include <QGlyphRun>
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
#include <string_view>
#include <unordered_map>

#include "printing/document_chart.h"
#include "qtcore/qt_text.h"

namespace rq {

QFont QuoteFont(double points, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans SC"), QStringLiteral("Droid Sans Fallback")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

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
// 序号, 房屋类型, 长*宽*高, 窗户, 门, 扇数, 墙面数: the sizes get the room.
constexpr double kRoomColumnWeights[] = {6, 22, 22, 16, 16, 8, 10};


QString WithoutTrailingBlanks(QString line)
{
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    return line;
}

// The text in lines no wider than `width`: broken at line breaks, then between words or,
// for a word or a Chinese run too long for the column, anywhere (or, asked so, between any
// two characters). Nothing is left out.
QStringList WrapText(const QString& text, const QFont& font, const QFontMetricsF& metrics, QPaintDevice* device,
                     double width, QTextOption::WrapMode mode = QTextOption::WrapAtWordBoundaryOrAnywhere)
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
        option.setWrapMode(mode);
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

// Glyph runs placed where they stand on the page.
void DrawGlyphRuns(QPainter& painter, const QList<QGlyphRun>& runs)
{
    for (const QGlyphRun& run : runs)
        painter.drawGlyphRun(QPointF(0, 0), run);
}

// The cells of a quote repeat: the same item names, units, quantities and prices in room
// after room. Each distinct cell text is measured once, and for PDF laid out as glyphs once
// and then drawn as prepared; shaping every cell again made a large quote's PDF slow.
class ShapedTexts {
public:
    struct Shaped {
        QString text;
        double advance = 0;  // as QFontMetricsF measures it, the width the cells stand by
        bool oneLine = true;  // no line break in it
        std::optional<QList<QGlyphRun>> runs;  // its glyphs from the baseline, on its first drawing
    };

    ShapedTexts(const QFont& font, QPaintDevice* device)
        : m_font(font), m_metrics(font, device), m_ascent(m_metrics.ascent()), m_device(device)
    {
    }

    // Asked of the font every row, the ascent looked the font up again each time.
    double ascent() const { return m_ascent; }

    Shaped& get(std::string_view utf8)
    {
        if (const auto found = m_shaped.find(utf8); found != m_shaped.end())
            return found->second;
        // A sheet of distinct texts (a serial number on every line of a huge quote) must not
        // hold them all: past this many the texts measured so far are forgotten.
        constexpr std::size_t kMostKept = 100'000;
        if (m_shaped.size() >= kMostKept)
            m_shaped.clear();
        Shaped shaped;
        shaped.text = toQString(utf8);
        shaped.oneLine = !shaped.text.contains(QLatin1Char('\n')) && !shaped.text.contains(QLatin1Char('\r'));
        shaped.advance = m_metrics.horizontalAdvance(shaped.text);
        return m_shaped.emplace(Text(utf8), std::move(shaped)).first->second;
    }
    Shaped& get(const QString& text) { return get(fromQString(text)); }

    // Draws the text with its baseline at `baseline`, from the glyphs laid out once.
    void draw(QPainter& painter, Shaped& shaped, const QPointF& baseline) const
    {
        QList<QGlyphRun> runs;
        addGlyphs(shaped, baseline, runs);
        DrawGlyphRuns(painter, runs);
    }

    // The text's glyphs placed with its baseline at `baseline`, added to `row`: the glyphs of
    // a whole row go to the PDF in one piece per font. Each cell on its own cost the file a
    // text object (state saved, colour, font, matrix) for a word or two.
    void addGlyphs(Shaped& shaped, const QPointF& baseline, QList<QGlyphRun>& row) const
    {
        if (shaped.text.isEmpty())
            return;  // the empty cells of headers and blank rows: nothing drawn, as by drawText
        if (!shaped.runs) {
            shaped.runs.emplace();
            QTextLayout layout(shaped.text, m_font, m_device);
            QTextOption option;
            option.setWrapMode(QTextOption::NoWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            QTextLine line = layout.createLine();
            if (line.isValid())
                line.setPosition(QPointF(0, 0));
            layout.endLayout();
            if (line.isValid())
                for (QGlyphRun run : layout.glyphRuns()) {
                    QList<QPointF> positions = run.positions();
                    for (QPointF& position : positions)
                        position.ry() -= line.ascent();  // from the baseline
                    run.setPositions(positions);
                    shaped.runs->append(run);
                }
        }
        for (const QGlyphRun& run : *shaped.runs) {
            auto same = std::find_if(row.begin(), row.end(), [&](const QGlyphRun& kept) {
                return kept.rawFont() == run.rawFont() && kept.flags() == run.flags();
            });
            if (same == row.end()) {
                QGlyphRun fresh;
                fresh.setRawFont(run.rawFont());
                fresh.setFlags(run.flags());
                same = row.insert(row.end(), fresh);
            }
            QList<quint32> glyphs = same->glyphIndexes();
            QList<QPointF> positions = same->positions();
            glyphs.append(run.glyphIndexes());
            for (const QPointF& position : run.positions())
                positions.append(position + baseline);
            same->setGlyphIndexes(glyphs);
            same->setPositions(positions);
        }
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };

    QFont m_font;
    QFontMetricsF m_metrics;
    double m_ascent;
    QPaintDevice* m_device;
    std::unordered_map<Text, Shaped, Hash, std::equal_to<>> m_shaped;
};

// A part of a table row on one page: a row taller than a page goes on over the next.
struct RowSlice {
    int row = 0;
    int firstLine = 0;
    int lineCount = 0;
    bool lastOfRow = true;
};

// The rows of one table on one page, under its column heads (repeated on every page).
struct Segment {
    int table = 0;
    double top = 0;  // where its column heads begin
    std::vector<RowSlice> slices;
};

// The quote details follow the title on the first page; notes longer than the page go on
// over the next ones, whole lines on each, before the tables begin: the rooms, then the
// items. The signature lines close the last page.
struct Page {
    int firstDetail = 0;
    int detailCount = 0;
    std::vector<Segment> segments;
    double signatureTop = -1;  // none on this page
    double chartTop = -1;      // none on this page
};

// One line of the details block: a label ("客户：") in the label column on a field's first
// line, and a line of its value in the column beside it; a line without label spans the page.
struct DetailLine {
    QString label;
    QString text;
    bool spansPage = false;
};

using CellLines = std::vector<QStringList>;

// One table as laid out: the document's texts, where its columns stand and the lines of
// each row that wraps.
struct TableLayout {
    const std::vector<Text>* heads = nullptr;
    const std::vector<bool>* figureColumns = nullptr;
    const std::vector<DocumentRow>* rows = nullptr;
    std::vector<double> left;
    std::vector<double> width;
    std::vector<CellLines> rowLines;
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
        , m_bodyShapes(m_body, &device)
        , m_boldShapes(m_bold, &device)
        , m_smallShapes(m_small, &device)
    {
        const QRectF paper = device.pageLayout().paintRectPixels(device.logicalDpiX());
        m_width = paper.width();
        m_height = paper.height();
        m_points = device.logicalDpiY() / 72.0;
        m_padding = 2 * m_points;
        m_lineHeight = std::max(m_bodyMetrics.lineSpacing(), QFontMetricsF(m_bold, &device).lineSpacing());
        if (!document.rooms.rows.empty())
            m_tables.push_back(placeTable(document.rooms.heads, document.rooms.figureColumns, document.rooms.rows,
                                          kRoomColumnWeights));
        m_tables.push_back(
            placeTable(document.columnHeads, document.figureColumns, document.rows, kSheetColumnWeights,
                       document.columnWeights));
    }

    // Rows of every table: the work the progress counts, once to lay out and once to paint.
    static int RowCount(const QuoteDocument& document)
    {
        return static_cast<int>(document.rooms.rows.size() + document.rows.size());
    }

    // Wraps every cell and breaks the rows into pages; false when stopped.
    bool layOut(const ProgressCallback& progress, int progressTotal)
    {
        layOutHead();
        m_footHeight = QFontMetricsF(m_small, &m_device).lineSpacing() + 4 * m_points;
        int done = 0;
        for (TableLayout& table : m_tables) {
            table.rowLines.reserve(table.rows->size());
            for (const DocumentRow& row : *table.rows) {
                if (done++ % kProgressStep == 0 && progress && !progress(done - 1, progressTotal))
                    return false;
                table.rowLines.push_back(wrapRow(table, row));
            }
        }
        paginate();
        return true;
    }

    int pageCount() const { return static_cast<int>(m_pages.size()); }

    bool paint(QPainter& painter, const ProgressCallback& progress, int progressDone, int progressTotal)
    {
        int painted = 0;
        for (int page = 0; page < static_cast<int>(m_pages.size()); ++page) {
            if (page > 0)
                m_device.newPage();
            const Page& layout = m_pages[static_cast<std::size_t>(page)];
            paintDetails(painter, layout, page == 0 ? paintHead(painter) : 0);
            for (const Segment& segment : layout.segments) {
                const TableLayout& table = m_tables[static_cast<std::size_t>(segment.table)];
                double y = segment.top;
                if (!table.heads->empty())
                    y = paintColumnHeads(painter, table, y);
                for (const RowSlice& slice : segment.slices) {
                    if (++painted % kProgressStep == 0 && progress && !progress(progressDone + painted, progressTotal))
                        return false;
                    y = paintSlice(painter, table, slice, y);
                }
            }
            paintRowRules(painter);
            if (layout.chartTop >= 0 && m_document.chart)
                PaintDocumentChart(painter, QRectF(0, layout.chartTop, m_width, chartHeight()), *m_document.chart);
            if (layout.signatureTop >= 0)
                paintSignatures(painter, layout.signatureTop);
            paintFoot(painter, page);
        }
        return true;
    }

private:
    template <std::size_t N>
    TableLayout placeTable(const std::vector<Text>& heads, const std::vector<bool>& figureColumns,
                           const std::vector<DocumentRow>& rows, const double (&headedWeights)[N],
                           const std::vector<double>& givenWeights = {}) const
    {
        TableLayout table{&heads, &figureColumns, &rows, {}, {}, {}};
        int columns = static_cast<int>(heads.size());
        for (const DocumentRow& row : rows)
            columns = std::max(columns, static_cast<int>(row.cells.size()));
        columns = std::max(columns, 1);
        std::vector<double> weights(static_cast<std::size_t>(columns), 1.0);
        if (!givenWeights.empty()) {
            for (int column = 0; column < columns && column < static_cast<int>(givenWeights.size()); ++column)
                weights[static_cast<std::size_t>(column)] = givenWeights[static_cast<std::size_t>(column)];
        } else if (!heads.empty()) {
            for (int column = 0; column < columns && column < static_cast<int>(N); ++column)
                weights[static_cast<std::size_t>(column)] = headedWeights[column];
        }
        double sum = 0;
        for (const double weight : weights)
            sum += weight;
        double x = 0;
        for (const double weight : weights) {
            table.left.push_back(x);
            table.width.push_back(m_width * weight / sum);
            x += m_width * weight / sum;
        }
        return table;
    }

    double textWidth(const TableLayout& table, std::size_t column) const { return table.width[column] - 2 * m_padding; }

    // The lines of each cell, kept only for a row with a cell that wraps or breaks its line:
    // every other row (nearly all of a large sheet) is painted from the document's own texts,
    // so that a sheet of 100,000 rooms is not held a second time as lines. None kept means
    // each cell is its one line.
    CellLines wrapRow(const TableLayout& table, const DocumentRow& row)
    {
        // Nearly every row fits as it is: its cells' widths, measured once for each distinct
        // text, tell so without wrapping anything.
        ShapedTexts& shapes = shapesOf(row);
        bool fits = true;
        for (std::size_t column = 0; fits && column < row.cells.size() && column < table.width.size(); ++column) {
            const ShapedTexts::Shaped& cell = shapes.get(row.cells[column]);
            fits = cell.oneLine && cell.advance <= textWidth(table, column);
        }
        if (fits)
            return CellLines();
        const QFont& font = row.emphasis == RowEmphasis::Plain ? m_body : m_bold;
        const QFontMetricsF metrics(font, &m_device);
        CellLines cells;
        bool wraps = false;
        for (std::size_t column = 0; column < row.cells.size() && column < table.width.size(); ++column) {
            const QString text = toQString(row.cells[column]);
            cells.push_back(WrapText(text, font, metrics, &m_device, textWidth(table, column)));
            wraps = wraps || cells.back().size() != 1 || cells.back().front() != text;
        }
        return wraps ? cells : CellLines();
    }

    ShapedTexts& shapesOf(const DocumentRow& row) { return row.emphasis == RowEmphasis::Plain ? m_bodyShapes : m_boldShapes; }

    static int LineCount(const CellLines& cells)
    {
        int lines = 1;  // an empty row still keeps its place, as on the sheet
        for (const QStringList& cell : cells)
            lines = std::max(lines, static_cast<int>(cell.size()));
        return lines;
    }

    double rowHeight(int lines) const { return lines * m_lineHeight + 2 * m_padding; }

    // The first page's head: the company, a rule and the title; the details, the date and
    // what the price was computed from follow it (see paginate).
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
        layOutDetails();
        m_headHeight = m_companyName.size() * QFontMetricsF(m_company, &m_device).lineSpacing() +
                       m_contact.size() * QFontMetricsF(m_small, &m_device).lineSpacing() + 6 * m_points +
                       m_titleLines.size() * QFontMetricsF(m_title, &m_device).lineSpacing() + 6 * m_points;
    }

    // Each detail on lines of its own, the labels in one column and the values beside them,
    // wrapped within their column: the notes between any two characters, so that a long
    // note fills its column and no line stands short. Then what the price was computed from.
    void layOutDetails()
    {
        const std::vector<DocumentField> fields = DetailLines(m_document);
        for (const DocumentField& field : fields)
            m_labelWidth = std::max(m_labelWidth, m_bodyMetrics.horizontalAdvance(toQString(field.label)));
        if (m_labelWidth > 0)
            m_labelWidth += m_bodyMetrics.horizontalAdvance(QLatin1Char(' '));
        for (const DocumentField& field : fields) {
            const QTextOption::WrapMode mode
                = field.notes ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
            const QStringList lines =
                WrapText(toQString(field.value), m_body, m_bodyMetrics, &m_device, m_width - m_labelWidth, mode);
            for (int line = 0; line < lines.size(); ++line)
                m_details.push_back({line == 0 ? toQString(field.label) : QString(), lines[line], false});
        }
        const Text basis = BasisLine(m_document);
        if (basis.empty())
            return;
        if (!m_details.empty())
            m_details.push_back({{}, {}, true});
        for (const QString& line : WrapText(toQString(basis), m_body, m_bodyMetrics, &m_device, m_width))
            m_details.push_back({{}, line, true});
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

    // A PDF takes each distinct text's glyphs as laid out once; the print preview records
    // texts, and gets them as texts.
    void drawShaped(QPainter& painter, ShapedTexts& shapes, ShapedTexts::Shaped& text, const QPointF& at,
                    bool bold) const
    {
        if (painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf)
            shapes.draw(painter, text, at);
        else
            drawText(painter, at, text.text, bold);
    }

    double columnHeadsHeight(const TableLayout& table) const { return table.heads->empty() ? 0 : rowHeight(1); }

    // The picture goes below the tables, on a page of its own when they leave no room for
    // it: it is never squeezed below its height.
    double chartHeight() const { return m_width * 0.5; }

    double bodyBottom() const { return m_height - m_footHeight; }

    bool pageHasContent() const
    {
        const Page& page = m_pages.back();
        if (page.detailCount > 0 || page.chartTop >= 0)
            return true;
        for (const Segment& segment : page.segments) {
            if (!segment.slices.empty())
                return true;
        }
        return false;
    }

    double signaturesHeight() const
    {
        return m_document.signatureLines.size() * 2 * m_bodyMetrics.lineSpacing();
    }

    void paginate()
    {
        m_pages.emplace_back();
        double y = m_headHeight;
        const double detailLine = m_bodyMetrics.lineSpacing();
        const int detailCount = static_cast<int>(m_details.size());
        for (int first = 0; first < detailCount;) {
            const int fit = static_cast<int>(std::floor((bodyBottom() - y) / detailLine));
            if (fit <= 0 && pageHasContent()) {
                m_pages.emplace_back();
                y = 0;
                continue;
            }
            const int count = std::min(std::max(fit, 1), detailCount - first);
            m_pages.back().firstDetail = first;
            m_pages.back().detailCount = count;
            y += count * detailLine;
            first += count;
        }
        for (int table = 0; table < static_cast<int>(m_tables.size()); ++table) {
            y += 8 * m_points;
            y = paginateTable(table, y);
        }
        if (m_document.chart) {
            y += 6 * m_points;
            if (y + chartHeight() > bodyBottom() && pageHasContent()) {
                m_pages.emplace_back();
                y = 0;
            }
            m_pages.back().chartTop = y;
            y += chartHeight();
        }
        // The signatures close the document, together on one page.
        y += 2 * detailLine;
        if (!m_document.signatureLines.empty()) {
            if (y + signaturesHeight() > bodyBottom() && pageHasContent()) {
                m_pages.emplace_back();
                y = 0;
            }
            m_pages.back().signatureTop = y;
        }
    }

    // The table's rows from `y` on, over as many pages as they need; where the last ends.
    double paginateTable(int tableIndex, double y)
    {
        const TableLayout& table = m_tables[static_cast<std::size_t>(tableIndex)];
        const double headsHeight = columnHeadsHeight(table);
        // The column heads never stand alone at the foot of the page above.
        if (pageHasContent() && y + headsHeight + rowHeight(1) > bodyBottom()) {
            m_pages.emplace_back();
            y = 0;
        }
        m_pages.back().segments.push_back({tableIndex, y, {}});
        y += headsHeight;
        const auto nextPage = [&] {
            m_pages.emplace_back();
            m_pages.back().segments.push_back({tableIndex, 0, {}});
            y = headsHeight;
        };
        const int rowCount = static_cast<int>(table.rowLines.size());
        for (int row = 0; row < rowCount; ++row) {
            const int lines = LineCount(table.rowLines[static_cast<std::size_t>(row)]);
            double needed = rowHeight(lines);
            // A room's header never stands alone at the foot of a page, away from its items.
            if ((*table.rows)[static_cast<std::size_t>(row)].emphasis == RowEmphasis::Heading && row + 1 < rowCount)
                needed += rowHeight(1);
            if (y + needed > bodyBottom() && pageHasContent() && rowHeight(lines) <= bodyBottom() - headsHeight)
                nextPage();
            // The row goes on over as many pages as it needs, whole lines on each.
            int first = 0;
            while (first < lines) {
                int fit = static_cast<int>(std::floor((bodyBottom() - y - 2 * m_padding) / m_lineHeight));
                if (fit <= 0 && !pageHasContent())
                    fit = 1;  // a line taller than the page: printed, even if it runs over the foot
                if (fit <= 0) {
                    nextPage();
                    continue;
                }
                const int count = std::min(fit, lines - first);
                m_pages.back().segments.back().slices.push_back({row, first, count, first + count == lines});
                y += rowHeight(count);
                first += count;
            }
        }
        return y;
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
            const DetailLine& detail = m_details[static_cast<std::size_t>(line)];
            const double baseline = y + m_bodyMetrics.ascent();
            if (!detail.label.isEmpty())
                drawText(painter, QPointF(0, baseline), detail.label, false);
            drawText(painter, QPointF(detail.spansPage ? 0 : m_labelWidth, baseline), detail.text, false);
            y += m_bodyMetrics.lineSpacing();
        }
    }

    void paintSignatures(QPainter& painter, double y) const
    {
        painter.setFont(m_body);
        painter.setPen(Qt::black);
        for (const Text& line : m_document.signatureLines) {
            drawText(painter, QPointF(0, y + m_bodyMetrics.ascent()), toQString(line), false);
            y += 2 * m_bodyMetrics.lineSpacing();
        }
    }

    double paintColumnHeads(QPainter& painter, const TableLayout& table, double y)
    {
        const double height = rowHeight(1);
        painter.fillRect(QRectF(0, y, m_width, height), QColor(0xE8, 0xE8, 0xE8));
        painter.setFont(m_bold);
        painter.setPen(Qt::black);
        for (std::size_t column = 0; column < table.heads->size() && column < table.width.size(); ++column) {
            ShapedTexts::Shaped& head = m_boldShapes.get((*table.heads)[column]);
            drawShaped(painter, m_boldShapes, head,
                       QPointF(cellX(table, column, head.advance), y + m_padding + m_boldShapes.ascent()), true);
        }
        painter.setPen(QPen(Qt::black, m_points / 2));
        painter.drawLine(QPointF(0, y + height), QPointF(m_width, y + height));
        return y + height;
    }

    // Figures stand right, so that their digits line up; texts stand left; the mark of
    // added items stands in the middle of its column, clear of the totals beside it.
    double cellX(const TableLayout& table, std::size_t column, double advance) const
    {
        const bool figure = column < table.figureColumns->size() && (*table.figureColumns)[column];
        if (figure)
            return table.left[column] + table.width[column] - m_padding - advance;
        if (table.heads == &m_document.columnHeads && static_cast<int>(column) == m_document.remarkColumn)
            return table.left[column] + (table.width[column] - advance) / 2;
        return table.left[column] + m_padding;
    }

    double paintSlice(QPainter& painter, const TableLayout& table, const RowSlice& slice, double y)
    {
        const DocumentRow& row = (*table.rows)[static_cast<std::size_t>(slice.row)];
        const QFont& font = row.emphasis == RowEmphasis::Plain ? m_body : m_bold;
        // Rows of one emphasis follow one another: the painter keeps its font between them.
        if (painter.font() != font)
            painter.setFont(font);
        painter.setPen(Qt::black);
        ShapedTexts& shapes = shapesOf(row);
        const auto paintLine = [&](std::size_t column, int line, const QString& text) {
            const double baseline = y + m_padding + (line - slice.firstLine) * m_lineHeight + shapes.ascent();
            drawText(painter, QPointF(cellX(table, column, shapes.get(text).advance), baseline), text, font.bold());
        };
        const CellLines& cells = table.rowLines[static_cast<std::size_t>(slice.row)];
        if (cells.empty() && slice.firstLine == 0) {
            const double baseline = y + m_padding + shapes.ascent();
            const bool pdf = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf;
            m_rowGlyphs.clear();
            for (std::size_t column = 0; column < row.cells.size() && column < table.width.size(); ++column) {
                ShapedTexts::Shaped& cell = shapes.get(row.cells[column]);
                const QPointF at(cellX(table, column, cell.advance), baseline);
                if (pdf)
                    shapes.addGlyphs(cell, at, m_rowGlyphs);
                else
                    drawText(painter, at, cell.text, font.bold());
            }
            DrawGlyphRuns(painter, m_rowGlyphs);
        }
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const QStringList& lines = cells[column];
            for (int line = slice.firstLine; line < slice.firstLine + slice.lineCount && line < lines.size(); ++line)
                paintLine(column, line, lines[line]);
        }
        const double bottom = y + rowHeight(slice.lineCount);
        if (slice.lastOfRow && !table.heads->empty())
            m_rowRules.emplace_back(QPointF(0, bottom), QPointF(m_width, bottom));
        return bottom;
    }

    // The thin rules under the rows of a page, drawn together once its rows are: a pen
    // changed twice a row, and a line of its own each, was a fifth of a large quote's PDF.
    // They lie in the gaps between the rows' texts, so the page looks the same.
    void paintRowRules(QPainter& painter)
    {
        if (m_rowRules.empty())
            return;
        painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), m_points / 3));
        painter.drawLines(m_rowRules);
        m_rowRules.clear();
    }

    // "第 N 页 共 M 页", its words set apart by gaps rather than blanks: text readers run
    // the words together across a narrow blank ("第1页共1页").
    void paintFoot(QPainter& painter, int page)
    {
        QStringList words = toQString(m_document.pageFoot).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString& word : words)
            word.replace(QLatin1String("%1"), QString::number(page + 1))
                .replace(QLatin1String("%2"), QString::number(pageCount()));
        painter.setFont(m_small);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(m_small, &m_device);
        const double gap = metrics.height() / 2;
        double width = gap * static_cast<double>(words.size() - 1);
        for (const QString& word : words)
            width += m_smallShapes.get(word).advance;
        double x = (m_width - width) / 2;
        for (const QString& word : words) {
            ShapedTexts::Shaped& shaped = m_smallShapes.get(word);
            drawShaped(painter, m_smallShapes, shaped, QPointF(x, m_height - metrics.descent()), false);
            x += shaped.advance + gap;
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
    QList<QLineF> m_rowRules;  // under the rows of the page being painted
    QList<QGlyphRun> m_rowGlyphs;  // of the row being painted, one run per font
    ShapedTexts m_bodyShapes;  // the table cells, plain and bold
    ShapedTexts m_boldShapes;
    ShapedTexts m_smallShapes;  // the page numbers at the foot
    double m_width = 0;
    double m_height = 0;
    double m_points = 1;  // device pixels in a typographic point
    double m_padding = 0;
    double m_lineHeight = 0;
    double m_headHeight = 0;
    double m_footHeight = 0;
    double m_labelWidth = 0;  // the details' label column
    std::vector<TableLayout> m_tables;  // the rooms (when stated), then the items
    QStringList m_companyName;
    QStringList m_contact;
    QStringList m_titleLines;
    std::vector<DetailLine> m_details;
    std::vector<Page> m_pages;
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
    const int rows = QuoteLayout::RowCount(document);
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

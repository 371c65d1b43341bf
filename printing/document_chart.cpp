#include "printing/document_chart.h"
#include "printing/quote_printer.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsScene>
#include <QLegend>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "qtcore/qt_text.h"

namespace rq {
namespace {

// Laid out at this size and scaled: the size of the picture in the comparison window.
constexpr QSizeF kLayoutSize(760, 380);

QFont ChartFont(int pixels, bool bold = false)
{
    QFont font = QuoteFont(10, bold);
    font.setPixelSize(pixels);
    return font;
}

// A round top for the value axis, so that its labels read as plain figures (0, 50000, …).
double NiceTop(double largest)
{
    if (largest <= 0)
        return 1;
    const double step = std::pow(10.0, std::floor(std::log10(largest)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (largest <= factor * step)
            return factor * step;
    }
    return 10 * step;
}

}  // namespace

std::unique_ptr<QChart> MakeDocumentChart(const DocumentChart& chart)
{
    auto made = std::make_unique<QChart>();
    made->setAnimationOptions(QChart::NoAnimation);
    made->setTitle(toQString(chart.title));
    made->setTitleFont(ChartFont(15, true));
    auto* bars = new QBarSeries(made.get());
    double largest = 0;
    for (const ChartSeries& series : chart.series) {
        auto* set = new QBarSet(toQString(series.name), bars);
        // An option out of range has no bar; its cell in the table says why.
        for (const std::optional<double>& value : series.values) {
            set->append(value.value_or(0));
            largest = std::max(largest, value.value_or(0));
        }
        bars->append(set);
    }
    made->addSeries(bars);
    auto* grades = new QBarCategoryAxis(made.get());
    for (const Text& category : chart.categories)
        grades->append(toQString(category));
    grades->setLabelsFont(ChartFont(12));
    made->addAxis(grades, Qt::AlignBottom);
    bars->attachAxis(grades);
    auto* yuan = new QValueAxis(made.get());
    yuan->setRange(0, NiceTop(largest));
    yuan->setTickCount(6);
    yuan->setLabelFormat(QStringLiteral("%.0f"));
    yuan->setLabelsFont(ChartFont(11));
    yuan->setTitleText(toQString(chart.valueAxis));
    yuan->setTitleFont(ChartFont(12));
    made->addAxis(yuan, Qt::AlignLeft);
    bars->attachAxis(yuan);
    made->legend()->setAlignment(Qt::AlignBottom);
    made->legend()->setFont(ChartFont(12));
    made->setBackgroundRoundness(0);
    return made;
}

void PaintDocumentChart(QPainter& painter, const QRectF& place, const DocumentChart& chart)
{
    QGraphicsScene scene;
    QChart* made = MakeDocumentChart(chart).release();
    scene.addItem(made);  // the scene owns it from here
    made->resize(kLayoutSize);
    scene.setSceneRect(QRectF(QPointF(0, 0), kLayoutSize));
    painter.save();
    scene.render(&painter, place, scene.sceneRect(), Qt::KeepAspectRatio);
    painter.restore();
}

}  // namespace rq

// A document's grouped bars drawn with Qt Charts, the same picture in a window and on paper.
// Needs a QApplication (the chart is a graphics widget), as every process that prints has.
#pragma once

#include <memory>

#include "document/quote_document.h"

class QChart;
class QPainter;
class QRectF;

namespace rq {

// The chart, its texts in the CJK font in pixel sizes so that it reads the same at any
// resolution; the caller owns it (a chart view takes it over).
std::unique_ptr<QChart> MakeDocumentChart(const DocumentChart& chart);

// The chart laid out at a screen size and scaled into `place`, keeping its proportions.
void PaintDocumentChart(QPainter& painter, const QRectF& place, const DocumentChart& chart);

}  // namespace rq

#include "estimate/result_window.h"

#include "app/qt_text.h"
#include "estimate/quick_estimate.h"
#include "online/contact_window.h"
#include "online/endpoints.h"
#include "ui_result_window.h"

namespace rq {

namespace {

Text& estimateReport()
{
    static Text report;
    return report;
}

} // namespace

const Text& EstimateReport()
{
    return estimateReport();
}

void SetEstimateReport(Text report)
{
    estimateReport() = std::move(report);
}

void ReleaseEstimateReport()
{
    Text().swap(estimateReport());
}

ResultWindow::ResultWindow(const Text& report, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ResultWindow>())
{
    m_ui->setupUi(this);
    m_ui->编辑框1->setPlainText(toQString(ResultWindowText(report)));

    m_ui->超级链接框2->setTarget(QString::fromLatin1(endpoints::kCaseGallery));
    m_ui->超级链接框3->setTarget(QString::fromLatin1(endpoints::kDesignerSpace));
    connect(m_ui->超级链接框1, &HyperlinkLabel::pressed, this, &ResultWindow::onExactQuotePressed);
    connect(m_ui->按钮1, &QPushButton::clicked, this, &ResultWindow::close);
}

ResultWindow::~ResultWindow() = default;

QString ResultWindow::shownText() const
{
    return m_ui->编辑框1->toPlainText();
}

void ResultWindow::onExactQuotePressed()
{
    // The estimate steps aside for the designer's contact details, and is done with after.
    hide();
    ContactWindow contact;
    contact.exec();
    close();
}

} // namespace rq

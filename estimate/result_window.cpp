#include "estimate/result_window.h"

#include <QCoreApplication>
#include <QPushButton>

#include "estimate/quick_estimate.h"
#include "online/contact_window.h"
#include "online/endpoints.h"
#include "ui/button_keys.h"
#include "ui/document_actions.h"
#include "ui/edge_anchors.h"
#include "qtcore/qt_text.h"
#include "ui_result_window.h"

namespace rq {

namespace {

Text& estimateReport()
{
    static Text report;
    return report;
}

// "打印…" and "导出…" in the strip the form leaves free under the links, beside and
// under "关闭", of its size.
constexpr QRect kPrintButtonPlace { 276, 274, 80, 24 };
constexpr QRect kExportButtonPlace { 362, 274, 80, 24 };

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
    m_shownText = ResultWindowText(report);
    setUpDocumentActions();
    returnPressesFocusedButton(this);
    // A larger window gives its room to the report; the links and the buttons stay under
    // it, the buttons at the right.
    auto* anchors = new EdgeAnchors(this);
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == reportEdit())
            anchors->anchor(control, Qt::RightEdge | Qt::BottomEdge);
        else if (control == closeButton() || control == m_printButton || control == m_exportButton)
            anchors->anchor(control, Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge);
        else
            anchors->anchor(control, Qt::TopEdge | Qt::BottomEdge);
    }
    reportEdit()->setPlainText(toQString(m_shownText));

    caseGalleryLink()->setTarget(QString::fromLatin1(endpoints::kCaseGallery));
    designerSpaceLink()->setTarget(QString::fromLatin1(endpoints::kDesignerSpace));
    connect(exactQuoteLink(), &HyperlinkLabel::pressed, this, &ResultWindow::onExactQuotePressed);
    connect(closeButton(), &QPushButton::clicked, this, &ResultWindow::close);
}

ResultWindow::~ResultWindow() = default;

// The controls by role: the form's own names for them appear here and nowhere else.
// clang-format off
QPlainTextEdit* ResultWindow::reportEdit() const { return m_ui->编辑框1; }
HyperlinkLabel* ResultWindow::exactQuoteLink() const { return m_ui->超级链接框1; }
HyperlinkLabel* ResultWindow::caseGalleryLink() const { return m_ui->超级链接框2; }
HyperlinkLabel* ResultWindow::designerSpaceLink() const { return m_ui->超级链接框3; }
QPushButton* ResultWindow::closeButton() const { return m_ui->按钮1; }
// clang-format on

QString ResultWindow::shownText() const
{
    return reportEdit()->toPlainText();
}

QuoteDocument ResultWindow::document() const
{
    const QuoteDetails details = m_details ? m_details() : QuoteDetails {};
    QuoteDocument document = EstimateDocument(m_shownText, DetailFields(details), QuoteDate(details, TodayText()));
    if (m_inputs)
        StateEstimateBasis(document, *m_inputs);
    return document;
}

void ResultWindow::setUpDocumentActions()
{
    m_documents = new DocumentActions(this, [this] { return document(); });
    const auto buttons = m_documents->addButtons(
        kPrintButtonPlace, kExportButtonPlace, QCoreApplication::translate("ResultWindow", "估算结果"));
    m_printButton = buttons.print;
    m_exportButton = buttons.exportFile;
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

// The result window "快速预算显示结果": the quick-estimate report with the closing hint, a
// way on to an exact quote with a designer, and two links to the company's pages.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QDialog>

#include "convert/convert.h"
#include "document/quote_document.h"
#include "estimate/quick_estimate.h"

namespace Ui {
class ResultWindow;
}

class QPlainTextEdit;
class QPushButton;

namespace rq {

class DocumentActions;
class HyperlinkLabel;

// The estimate report of the process: replaced by every run that prices a grade, shown by
// every result window, kept when a run prices nothing, released when the program ends.
const Text& EstimateReport();
void SetEstimateReport(Text report);
void ReleaseEstimateReport();

class ResultWindow : public QDialog {
    Q_OBJECT

public:
    // Shows `report` (the process-wide estimate report) followed by the closing hint.
    explicit ResultWindow(const Text& report, QWidget* parent = nullptr);
    ~ResultWindow() override;

    // The text as the box shows it, one line per line of the report.
    QString shownText() const;

    // The estimate as it is printed and exported, and the print and export actions on it.
    QuoteDocument document() const;
    DocumentActions& documentActions() const { return *m_documents; }
    // Where the quote details of the printed and exported document come from (the
    // project's, asked each time so that a change shows in the next print); none: empty.
    void setDetailsSource(std::function<QuoteDetails()> source) { m_details = std::move(source); }
    // The counts, area and grade the report was computed from, which its documents state.
    void setInputs(EstimateInputs inputs) { m_inputs = std::move(inputs); }

private:
    // The controls by role: the report and, under it, three links and the close button.
    QPlainTextEdit* reportEdit() const;
    HyperlinkLabel* exactQuoteLink() const;
    HyperlinkLabel* caseGalleryLink() const;
    HyperlinkLabel* designerSpaceLink() const;
    QPushButton* closeButton() const;
    QPushButton* printButton() const { return m_printButton; }
    QPushButton* exportButton() const { return m_exportButton; }

    void onExactQuotePressed();

    void setUpDocumentActions();

    std::unique_ptr<Ui::ResultWindow> m_ui;
    Text m_shownText;  // the report and the closing hint, as the box shows them
    DocumentActions* m_documents = nullptr;
    std::function<QuoteDetails()> m_details;
    std::optional<EstimateInputs> m_inputs;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_exportButton = nullptr;
};

} // namespace rq

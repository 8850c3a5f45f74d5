// The chart's print dialog (483): printer, paper and orientation, range, one-page fit, margins,
// the page grid and a preview of one page, then the print job. Every printer the print system
// offers is listed, and a PDF file printer always: printing never depends on a printer existing.
// The layout is the one page grid function cvntool print-chart uses, so they always agree.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"
#include "print/PageGrid.h"
#include "print/PrintSettings.h"

#include <QDialog>
#include <QPrinter>

#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace corvane {

class CInsatuPreview;

class CInsatuDlg : public QDialog
{
    Q_OBJECT
public:
    /// project's chart must be placed (the chart model does it when the chart view opens).
    CInsatuDlg(const ProjectData& project, Services& services, QWidget* parent = nullptr);
    ~CInsatuDlg() override;

    /// The layout as shown.
    const print::PageGrid& grid() const { return grid_; }
    int previewPage() const;
    /// Where the PDF file printer writes: the project's work folder, "<name>_chart.pdf".
    std::string pdfPath() const;
    /// The entry of the printer list that is the PDF file printer.
    static QString pdfPrinterName();

    /// Runs the print job with the dialog's choices; false when it failed (reported).
    bool print();

private:
    void choosePrinter(int index);
    void setOrientation(print::Orientation orientation);
    void runPageSetup();
    void relayout();
    void rangeChanged();
    print::PrintSettings choices() const;
    void saveGeometry() const;

    const ProjectData& p_;
    Services& s_;
    print::PrintSettings settings_;
    QPrinter printer_{QPrinter::HighResolution};
    print::PageGrid grid_;

    QComboBox* printerName_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
    QLabel* paperName_;
    QLabel* paperSize_;
    QRadioButton* all_;
    QRadioButton* current_;
    QRadioButton* fromTo_;
    QSpinBox* start_;
    QSpinBox* end_;
    QCheckBox* onePage_;
    QSpinBox* margins_[4];
    QSpinBox* page_;
    QLabel* pageTotal_;
    QLabel* gridText_;
    QCheckBox* showMargins_;
    QPushButton* printButton_;
    CInsatuPreview* preview_;
};

} // namespace corvane

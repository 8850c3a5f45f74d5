#include "print/ui/CInsatuDlg.h"

#include "base/Codec.h"
#include "base/SettingsKeys.h"
#include "base/qt/QtText.h"
#include "print/OutputPath.h"
#include "print/PaperTable.h"
#include "print/paint/ChartPages.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace corvane {

/// The preview of one page: the paper's outline keeping its aspect ratio inside the area less
/// 28 pixels each way, the page's tile (or the whole chart) drawn scaled by the chart painter,
/// and the margin lines when asked.
class CInsatuPreview : public QWidget
{
public:
    explicit CInsatuPreview(const ProjectData& project) : p_(project)
    {
        setMinimumSize(240, 240);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    void show(const print::DeviceSheet& sheet, const print::PageGrid& grid, int page, bool onePage,
              bool margins)
    {
        sheet_ = sheet;
        grid_ = grid;
        page_ = page;
        onePage_ = onePage;
        margins_ = margins;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        if (sheet_.widthDots <= 0 || sheet_.heightDots <= 0)
            return;
        const QRectF area = QRectF(rect()).adjusted(14, 14, -14, -14);
        const double scale =
            std::min(area.width() / sheet_.widthDots, area.height() / sheet_.heightDots);
        const QSizeF paper(sheet_.widthDots * scale, sheet_.heightDots * scale);
        const QPointF corner(area.center().x() - paper.width() / 2,
                             area.center().y() - paper.height() / 2);
        p.fillRect(QRectF(corner, paper), Qt::white);
        p.save();
        p.translate(corner);
        p.scale(scale, scale);
        print::paintChartPage(p, p_, grid_, page_, onePage_, sheet_.dpiX, sheet_.dpiY);
        p.restore();
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(corner, paper));
        if (margins_ && grid_.valid) {
            p.setPen(QPen(QColor(0, 120, 215), 0, Qt::DashLine));
            p.drawRect(QRectF(corner.x() + grid_.left * scale, corner.y() + grid_.top * scale,
                              grid_.printableWidth * scale, grid_.printableHeight * scale));
        }
    }

private:
    const ProjectData& p_;
    print::DeviceSheet sheet_;
    print::PageGrid grid_;
    int page_ = 1;
    bool onePage_ = false;
    bool margins_ = false;
};

namespace {

QSpinBox* spin(int low, int high)
{
    auto* s = new QSpinBox;
    s->setRange(low, high);
    return s;
}

} // namespace

QString CInsatuDlg::pdfPrinterName()
{
    return QStringLiteral("PDF ファイル");
}

CInsatuDlg::CInsatuDlg(const ProjectData& project, Services& services, QWidget* parent)
    : QDialog(parent), p_(project), s_(services),
      settings_(print::readPrintSettings(services.settings))
{
    setWindowTitle(QStringLiteral("印刷"));
    // Full-page mode: margins are measured from the paper's edge by the dialog and the job alike.
    printer_.setFullPage(true);

    printerName_ = new QComboBox;
    printerName_->setObjectName(QStringLiteral("printerName"));
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        printerName_->addItem(name);
    printerName_->addItem(pdfPrinterName());
    const QString preferred = QPrinterInfo::defaultPrinterName();
    const int preferredIndex = printerName_->findText(preferred);
    printerName_->setCurrentIndex(preferredIndex >= 0 ? preferredIndex : printerName_->count() - 1);

    portrait_ = new QRadioButton(QStringLiteral("縦"));
    landscape_ = new QRadioButton(QStringLiteral("横"));
    auto* setup = new QPushButton(QStringLiteral("設定(&P)"));
    paperName_ = new QLabel;
    paperName_->setObjectName(QStringLiteral("paperName"));
    paperSize_ = new QLabel;
    paperSize_->setObjectName(QStringLiteral("paperSize"));

    all_ = new QRadioButton(QStringLiteral("すべてのページ(&A)"));
    current_ = new QRadioButton(QStringLiteral("現在のページ(&N)"));
    fromTo_ = new QRadioButton(QStringLiteral("ページ指定(&R)"));
    start_ = spin(1, 1);
    end_ = spin(1, 1);
    onePage_ = new QCheckBox(QStringLiteral("全1ページ(&J)"));
    for (auto*& m : margins_)
        m = spin(0, print::kMaxMarginMm);
    page_ = spin(1, 1);
    page_->setObjectName(QStringLiteral("previewPage"));
    pageTotal_ = new QLabel;
    gridText_ = new QLabel;
    gridText_->setObjectName(QStringLiteral("pageGrid"));
    showMargins_ = new QCheckBox(QStringLiteral("余白を表示(&M)"));
    printButton_ = new QPushButton(QStringLiteral("印刷実行(&S)"));
    printButton_->setObjectName(QStringLiteral("printButton"));
    auto* cancel = new QPushButton(QStringLiteral("中止(&C)"));
    preview_ = new CInsatuPreview(project);

    auto* printerBox = new QGroupBox(QStringLiteral("プリンタ"));
    auto* pl = new QGridLayout(printerBox);
    pl->addWidget(printerName_, 0, 0, 1, 3);
    pl->addWidget(portrait_, 1, 0);
    pl->addWidget(landscape_, 1, 1);
    pl->addWidget(setup, 1, 2);
    pl->addWidget(paperName_, 2, 0, 1, 3);
    pl->addWidget(paperSize_, 3, 0, 1, 3);
    auto* orientation = new QButtonGroup(this);
    orientation->addButton(portrait_);
    orientation->addButton(landscape_);

    auto* rangeBox = new QGroupBox(QStringLiteral("印刷範囲"));
    auto* rl = new QGridLayout(rangeBox);
    rl->addWidget(all_, 0, 0, 1, 4);
    rl->addWidget(current_, 1, 0, 1, 4);
    rl->addWidget(fromTo_, 2, 0);
    rl->addWidget(start_, 2, 1);
    rl->addWidget(new QLabel(QStringLiteral("～")), 2, 2);
    rl->addWidget(end_, 2, 3);
    rl->addWidget(onePage_, 3, 0, 1, 4);

    auto* marginBox = new QGroupBox(QStringLiteral("3 余白：(max : 50ﾐﾘ)"));
    auto* ml = new QGridLayout(marginBox);
    const char* sides[] = {"左", "右", "上", "下"};
    for (int i = 0; i < 4; ++i) {
        ml->addWidget(new QLabel(QString::fromUtf8(sides[i])), i / 2, (i % 2) * 2);
        ml->addWidget(margins_[i], i / 2, (i % 2) * 2 + 1);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(printerBox);
    left->addWidget(rangeBox);
    left->addWidget(marginBox);
    left->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton_);
    buttons->addWidget(cancel);
    left->addLayout(buttons);

    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(page_);
    pageRow->addWidget(pageTotal_);
    pageRow->addWidget(gridText_);
    pageRow->addStretch();
    pageRow->addWidget(showMargins_);
    auto* right = new QVBoxLayout;
    right->addLayout(pageRow);
    right->addWidget(preview_, 1);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);

    // The stored choices, clamped when read.
    (settings_.orientation == print::Orientation::Landscape ? landscape_ : portrait_)
        ->setChecked(true);
    margins_[0]->setValue(settings_.margins.left);
    margins_[1]->setValue(settings_.margins.right);
    margins_[2]->setValue(settings_.margins.top);
    margins_[3]->setValue(settings_.margins.bottom);
    onePage_->setChecked(settings_.onePage);
    (settings_.range == print::Range::Current  ? current_
     : settings_.range == print::Range::FromTo ? fromTo_
                                               : all_)
        ->setChecked(true);
    showMargins_->setChecked(settings_.showMargins);

    connect(printerName_, &QComboBox::currentIndexChanged, this, &CInsatuDlg::choosePrinter);
    connect(portrait_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setOrientation(print::Orientation::Portrait);
    });
    connect(landscape_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setOrientation(print::Orientation::Landscape);
    });
    connect(setup, &QPushButton::clicked, this, &CInsatuDlg::runPageSetup);
    for (QRadioButton* r : {all_, current_, fromTo_})
        connect(r, &QRadioButton::toggled, this, &CInsatuDlg::rangeChanged);
    for (QSpinBox* m : margins_)
        connect(m, &QSpinBox::valueChanged, this, &CInsatuDlg::relayout);
    connect(onePage_, &QCheckBox::toggled, this, &CInsatuDlg::relayout);
    connect(page_, &QSpinBox::valueChanged, this, &CInsatuDlg::relayout);
    connect(start_, &QSpinBox::valueChanged, this, [this](int v) { end_->setMinimum(v); });
    connect(showMargins_, &QCheckBox::toggled, this, &CInsatuDlg::relayout);
    connect(printButton_, &QPushButton::clicked, this, [this] {
        if (print())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Position and size, when they fit on the desktop.
    const QRect stored(read(s_.settings, keys::PX), read(s_.settings, keys::PY),
                       read(s_.settings, keys::SX), read(s_.settings, keys::SY));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && stored.width() > 0 && stored.height() > 0 &&
        screen->availableVirtualGeometry().contains(stored))
        setGeometry(stored);
    else
        resize(std::max(640, stored.width()), std::max(480, stored.height()));
    if (read(s_.settings, keys::Zoomed) != 0)
        setWindowState(windowState() | Qt::WindowMaximized);

    choosePrinter(printerName_->currentIndex());
    rangeChanged();
}

CInsatuDlg::~CInsatuDlg()
{
    saveGeometry();
}

void CInsatuDlg::saveGeometry() const
{
    const QRect g = normalGeometry();
    write(s_.settings, keys::PX, g.x());
    write(s_.settings, keys::PY, g.y());
    write(s_.settings, keys::SX, g.width());
    write(s_.settings, keys::SY, g.height());
    write(s_.settings, keys::Zoomed, isMaximized() ? 1 : 0);
}

int CInsatuDlg::previewPage() const
{
    return page_->value();
}

std::string CInsatuDlg::pdfPath() const
{
    return output::outputFolder(p_) + "/" + p_.name + "_chart.pdf";
}

void CInsatuDlg::choosePrinter(int index)
{
    const QString name = printerName_->itemText(index);
    if (name == pdfPrinterName()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(name);
    }
    printer_.setFullPage(true);
    printer_.setPageLayout(print::fullPageLayout(settings_.paperCode, settings_.orientation));
    relayout();
}

void CInsatuDlg::setOrientation(print::Orientation orientation)
{
    if (orientation == settings_.orientation)
        return;
    settings_.orientation = orientation;
    // Stored at once, as the choice is made.
    print::writeOrientation(s_.settings, orientation);
    printer_.setPageOrientation(orientation == print::Orientation::Landscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
    relayout();
}

void CInsatuDlg::runPageSetup()
{
    QPageSetupDialog dialog(&printer_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int code = printer_.pageLayout().pageSize().windowsId();
    settings_.paperCode = print::isKnownPaperCode(code) ? code : settings_.paperCode;
    print::writePaperCode(s_.settings, settings_.paperCode);
    const bool landscape = printer_.pageLayout().orientation() == QPageLayout::Landscape;
    (landscape ? landscape_ : portrait_)->setChecked(true);
    printer_.setFullPage(true);
    relayout();
}

void CInsatuDlg::rangeChanged()
{
    const bool fromTo = fromTo_->isChecked();
    onePage_->setEnabled(fromTo);
    start_->setEnabled(fromTo);
    end_->setEnabled(fromTo);
    relayout();
}

print::PrintSettings CInsatuDlg::choices() const
{
    print::PrintSettings s = settings_;
    s.margins = {margins_[0]->value(), margins_[1]->value(), margins_[2]->value(),
                 margins_[3]->value()};
    s.onePage = onePage_->isChecked() && onePage_->isEnabled();
    s.range = current_->isChecked()  ? print::Range::Current
              : fromTo_->isChecked() ? print::Range::FromTo
                                     : print::Range::All;
    s.showMargins = showMargins_->isChecked();
    return s;
}

void CInsatuDlg::relayout()
{
    const print::PrintSettings s = choices();
    const QPageLayout layout = printer_.pageLayout();
    const int dpi = printer_.resolution();
    const print::DeviceSheet sheet = print::sheetOf(
        layout, dpi,
        printer_.outputFormat() == QPrinter::PdfFormat ? QMarginsF() : layout.minimumMargins());
    const print::ChartSize size = print::chartSizeOf(p_);
    grid_ = print::computePageGrid(sheet, s.margins, size.width, size.height, s.onePage);

    const QString name = QString::fromUtf8(print::paperName(settings_.paperCode).data(),
                                           qsizetype(print::paperName(settings_.paperCode).size()));
    paperName_->setText(name);
    const QSizeF mm = layout.fullRect(QPageLayout::Millimeter).size();
    paperSize_->setText(QString::asprintf("%.1f X %.1fmm", mm.width(), mm.height()));

    const int total = grid_.pageCount();
    const QSignalBlocker b1(page_), b2(start_), b3(end_);
    // A layout without pages shows none and cannot be printed.
    page_->setRange(total > 0 ? 1 : 0, std::max(0, total));
    start_->setRange(1, std::max(1, total));
    end_->setRange(start_->value(), std::max(1, total));
    if (end_->value() > total || end_->value() < start_->value())
        end_->setValue(std::max(1, total));
    pageTotal_->setText(QStringLiteral("/ %1 ページ").arg(total));
    gridText_->setText(
        grid_.valid ? QStringLiteral("(横 %1 × 縦 %2 ページ)").arg(grid_.across).arg(grid_.down)
                    : QString());
    printButton_->setEnabled(grid_.valid && total > 0);
    preview_->show(sheet, grid_, std::max(1, page_->value()), s.onePage, s.showMargins);
}

bool CInsatuDlg::print()
{
    const print::PrintSettings s = choices();
    print::writeJobSettings(s_.settings, s);
    if (!grid_.valid)
        return false;
    std::string pdf;
    if (printer_.outputFormat() == QPrinter::PdfFormat) {
        const std::string folder = output::outputFolder(p_);
        if (!output::makeOutputFolder(folder)) {
            showMessage(s_.messages, msg::kFolderCreateFailed, "\x95\xdb\x91\xb6\x97\x70",
                        style::error);
            return false;
        }
        pdf = pdfPath();
        printer_.setOutputFileName(pathToQString(pdf));
    }
    printer_.setDocName(QStringLiteral("Corvane"));
    const std::vector<int> pages = print::pagesToPrint(grid_, s.onePage, s.range, page_->value(),
                                                       start_->value(), end_->value());
    if (!print::printChartPages(printer_, p_, grid_, pages, s.onePage)) {
        showMessage(s_.messages, msg::kPrintFailed, toSjis(printerName_->currentText()) + "\n",
                    style::error);
        return false;
    }
    if (!pdf.empty())
        showMessage(s_.messages, msg::kOutputSaved, codec::fromUtf8(pdf).text + "\n",
                    style::information);
    return true;
}

} // namespace corvane

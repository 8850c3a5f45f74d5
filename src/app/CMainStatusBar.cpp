#include "app/CMainStatusBar.h"

#include <QFontMetrics>
#include <QLabel>

namespace corvane {

namespace {

struct PaneSpec
{
    const char* name;
    int id;
    const char* widthSample;
    const char* tooltip;
};

constexpr PaneSpec kPanes[] = {
    {"MARKER", 121, "4999/5000", "現在の文献のマーカ数 / 全マーカ数"},
    {"LINK", 413, "5000", "リンク数"},
    {"NODE", 417, "6000", "ノード数\n(副題ノードとマーカノードの合計)"},
    {"POSITION", 446, "999999999999",
     "ファイル内の位置(単位:バイト)\nまたはビュー内の座標(単位:ピクセル)"},
};

} // namespace

CMainStatusBar::CMainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    guide_ = new QLabel(this);
    guide_->setObjectName(QStringLiteral("guide"));
    addWidget(guide_, 1);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(kPanes[i].name));
        label->setProperty("paneId", kPanes[i].id);
        label->setToolTip(QString::fromUtf8(kPanes[i].tooltip));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        // Fixed width: the sample text plus the frame and a little air.
        const int width =
            label->fontMetrics().horizontalAdvance(QString::fromLatin1(kPanes[i].widthSample));
        label->setFixedWidth(width + 2 * label->frameWidth() + 12);
        addPermanentWidget(label);
        panes_[i] = label;
    }
}

void CMainStatusBar::setPaneText(StatusPane pane, const QString& text)
{
    panes_[static_cast<int>(pane)]->setText(text);
}

void CMainStatusBar::setGuide(const QString& text)
{
    guide_->setText(text);
}

QString CMainStatusBar::guide() const
{
    return guide_->text();
}

} // namespace corvane

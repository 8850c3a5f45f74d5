#include "app/CMainSheet.h"

#include "app/CVantorApp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {

QLabel* note(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QStringLiteral("color: #666;"));
    l->setContentsMargins(24, 0, 0, 4);
    return l;
}

QCheckBox* check(const QString& text, bool on, QWidget* parent)
{
    auto* c = new QCheckBox(text, parent);
    c->setChecked(on);
    return c;
}

} // namespace

CMainSheet::CMainSheet(const KanSetValues& v, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("環境設定"));
    setObjectName(QStringLiteral("CMainSheet"));
    // The pages use Meiryo UI 11 pt; the font substitutions set up at start-up make that name a
    // proportional Japanese font on this system.
    QFont f(QStringLiteral("Meiryo UI"));
    f.setPointSize(11);
    setFont(f);

    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->addTab(generalPage(v), QStringLiteral("全般"));
    pages_->addTab(textViewPage(v), QStringLiteral("テキストビュー"));
    pages_->addTab(chartViewPage(v), QStringLiteral("チャートビュー"));
    layout->addWidget(pages_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    save_ = new QPushButton(QStringLiteral("保存して終了(&H)"), this);
    cancel_ = new QPushButton(QStringLiteral("中止(&C)"), this);
    save_->setDefault(true);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(save_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* CMainSheet::generalPage(const KanSetValues& v)
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("311"));
    auto* l = new QVBoxLayout(page);
    firstOpen = check(QStringLiteral("1 起動時に前回のプロジェクトを開く(&L)"), v.firstOpen, page);
    makeMes =
        check(QStringLiteral("2 リンク作成時、確認メッセージを表示する(&M)"), v.makeMes, page);
    delMes = check(QStringLiteral("3 リンク解除時、確認メッセージを表示する(&D)"), v.delMes, page);
    synchro = check(QStringLiteral("4 マーカ色とノード背景色を同期させる(&S)"), v.synchro, page);
    l->addWidget(firstOpen);
    l->addWidget(makeMes);
    l->addWidget(delMes);
    l->addWidget(synchro);
    l->addWidget(
        note(QStringLiteral("※ 同期させた場合、マーカノードの初期値のノード背景色は無視されます。"),
             page));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("5 前回使った検索(置換)語句の保存件数："), page));
    saveCnt = new QSpinBox(page);
    saveCnt->setRange(5, 100);
    saveCnt->setValue(v.saveCnt);
    row->addWidget(saveCnt);
    row->addWidget(new QLabel(QStringLiteral("(5～100)"), page));
    row->addStretch(1);
    l->addLayout(row);
    makeBackup = check(QStringLiteral("6 上書き保存時、バックアップファイルを作成する(&B)"),
                       v.makeBackup, page);
    dspGuide =
        check(QStringLiteral("7 ステータスバーに操作ガイドを表示する(&G)"), v.dspGuide, page);
    l->addWidget(makeBackup);
    l->addWidget(dspGuide);
    l->addWidget(
        note(QStringLiteral("※ F2キーで、表示と非表示を切り替えることができます。"), page));
    l->addStretch(1);
    return page;
}

QWidget* CMainSheet::textViewPage(const KanSetValues& v)
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("328"));
    auto* l = new QVBoxLayout(page);
    searchMes =
        check(QStringLiteral("1 現在の文献検索時、メッセージを表示する(&M)"), v.searchMes, page);
    l->addWidget(searchMes);
    l->addStretch(1);
    return page;
}

QWidget* CMainSheet::chartViewPage(const KanSetValues& v)
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("411"));
    auto* l = new QVBoxLayout(page);
    newGroup = check(QStringLiteral("1 新しいタブグループでチャートビューを表示する(&N)"),
                     v.newGroup, page);
    l->addWidget(newGroup);
    anime =
        check(QStringLiteral("2 オブジェクト上にマウスカーソルが乗ったとき、アニメを表示する(&A)"),
              v.playAnime > 0, page);
    l->addWidget(anime);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(24, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("表示するアニメの個数："), page));
    animeCount = new QSpinBox(page);
    animeCount->setRange(1, 10);
    animeCount->setValue(v.playAnime > 0 ? v.playAnime : 3);
    row->addWidget(animeCount);
    row->addWidget(new QLabel(QStringLiteral("(1 - 10個)"), page));
    row->addStretch(1);
    l->addLayout(row);
    auto* speedRow = new QHBoxLayout;
    speedRow->setContentsMargins(24, 0, 0, 0);
    speedRow->addWidget(new QLabel(QStringLiteral("アニメ表示速度："), page));
    speed = new QButtonGroup(page);
    const QString names[] = {QStringLiteral("速い"), QStringLiteral("やや速い"),
                             QStringLiteral("普通"), QStringLiteral("やや遅い"),
                             QStringLiteral("遅い")};
    for (int i = 0; i < 5; ++i) {
        auto* r = new QRadioButton(names[i], page);
        speed->addButton(r, i);
        speedRow->addWidget(r);
    }
    speed->button(v.speedAnime)->setChecked(true);
    speedRow->addStretch(1);
    l->addLayout(speedRow);
    auto follow = [this] {
        animeCount->setEnabled(anime->isChecked());
        for (QAbstractButton* b : speed->buttons())
            b->setEnabled(anime->isChecked());
    };
    connect(anime, &QCheckBox::toggled, this, follow);
    follow();
    l->addStretch(1);
    return page;
}

KanSetValues CMainSheet::values() const
{
    KanSetValues v;
    v.firstOpen = firstOpen->isChecked();
    v.makeMes = makeMes->isChecked();
    v.delMes = delMes->isChecked();
    v.synchro = synchro->isChecked();
    v.saveCnt = saveCnt->value();
    v.makeBackup = makeBackup->isChecked();
    v.dspGuide = dspGuide->isChecked();
    v.searchMes = searchMes->isChecked();
    v.newGroup = newGroup->isChecked();
    v.playAnime = anime->isChecked() ? animeCount->value() : 0;
    v.speedAnime = std::max(0, speed->checkedId());
    return v;
}

bool runEnvironmentSettings(CVantorApp& app, QWidget* parent)
{
    const KanSetValues before =
        loadKanSet(app.settings(), app.playAnime, app.speedAnime, app.dspGuide);
    CMainSheet sheet(before, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    const KanSetValues after = sheet.values();
    storeKanSet(app.settings(), after);
    app.dspGuide = after.dspGuide;
    app.playAnime = after.playAnime;
    app.speedAnime = after.speedAnime;
    if (!before.synchro && after.synchro) {
        recolourMarkerNodes(app.data());
        app.refresh().redrawChart();
    }
    return true;
}

} // namespace corvane

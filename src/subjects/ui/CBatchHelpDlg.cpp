#include "subjects/ui/CBatchHelpDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace corvane {

CBatchHelpDlg::CBatchHelpDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("題名の一括追加方法"));
    auto* text = new QLabel(
        QStringLiteral(
            "主題と副題を1行に1組ずつ、タブまたはカンマ(,)で区切って書いたテキストを"
            "クリップボードにコピーし、題名リストで Ctrl+V を押すか、右クリックメニューの"
            "「題名の一括追加」を選んでください。\n\n"
            "・1列目が主題、2列目が副題になります。Excel等の2列のセルをコピーしても同じ形になります"
            "。\n"
            "・区切りのない行は追加されません。\n"
            "・主題、副題はそれぞれ100バイトまでで、超える部分は切り捨てられます。\n"
            "・2行以上のときは、追加の前に内容を確認するメッセージが表示されます。\n"
            "・既存の題名は上書きされません。同じ組は別の副題として追加されます。\n\n"
            "例："),
        this);
    text->setWordWrap(true);
    auto* example = new QPlainTextEdit(this);
    example->setReadOnly(true);
    example->setPlainText(QStringLiteral("エネルギー問題,風力発電の利点について\n"
                                         "エネルギー問題,太陽光発電の課題\n"
                                         "環境保全,森林の保護\n"));
    example->setFixedHeight(example->fontMetrics().lineSpacing() * 4 + 12);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(example);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

} // namespace corvane

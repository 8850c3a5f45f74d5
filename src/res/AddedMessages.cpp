#include "res/AddedMessages.h"

#include <iterator>

namespace corvane {

namespace {

struct AddedMessage
{
    int number;
    const char* text; ///< UTF-8
};

constexpr AddedMessage kAdded[] = {
    {msg::kMarkedDocumentsMissing,
     "プロジェクトの文書が文書フォルダに見つかりません\n"
     "移動または削除された可能性があります\n"
     "見つからない文書のマーカーは、文書が元の場所に戻るまで表示されません"},
    {msg::kCloseWithoutSaving, "プロジェクトを保存できませんでした\n"
                               "保存せずに閉じますか\n"
                               "※ 前回の保存以降の変更は失われます"},
    {msg::kCharactersReplaced, "Shift-JIS で表せない文字を「〓」に置き換えて取り込みました"},
    {msg::kCharactersReplacedOnPaste, "Shift-JIS で表せない文字を「〓」に置き換えて貼り付けました"},
    {msg::kAlignNeedsOneNode, "整列するノードが選択されていません"},
    {msg::kAlignNeedsTwoNodes, "基準ノードを含めて 2 つ以上のノードを選択してください"},
    {msg::kAlignNeedsThreeNodes, "3 つ以上のノードを選択してください"},
    {msg::kOutputSaved, "ファイルを保存しました\n既定のアプリケーションで開きます"},
    {msg::kPrintFailed, "印刷を開始できませんでした"},
    {msg::kFontFieldInvalid, "フォントは「フォント名(サイズ)」の形で入力してください\n"
                             "(サイズ:8～36)"},
    {msg::kBatchReplaceCancelled, "一括置換を中止しました"},
};

} // namespace

const char* addedMessageText(int number)
{
    for (const AddedMessage& m : kAdded) {
        if (m.number == number)
            return m.text;
    }
    return nullptr;
}

} // namespace corvane

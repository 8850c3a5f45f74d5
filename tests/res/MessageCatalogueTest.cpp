#include "res/MessageCatalogue.h"

#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

using namespace corvane;

namespace {

struct Expected
{
    int number;
    const char* text;
};

// The catalogue as the users know it, frozen here one line per message so that an edit of the
// catalogue that changes a text, drops a number or adds one shows up as a failure.
// clang-format off
constexpr Expected kExpected[] = {
    {100, "OLE の初期化に失敗しました。OLE ライブラリのバージョンが正しいことを確認してください。"},
    {30001, "メモリの確保に失敗しました"},
    {30002, "プロジェクト名が入力されていません"},
    {30003, "保存場所が入力されていません"},
    {30004, "保存場所のパスが存在しません"},
    {30005, "プロジェクトフォルダの作成に失敗しました\n指定の保存場所にはアクセス権がない可能性があります\n保存場所を変更してください"},
    {30006, "プロジェクトファイルがすでに存在しています\n上書きしてもよろしいですか"},
    {30007, "セット可能件数超過\nこれ以上オープンできません"},
    {30008, "ファイルの改行コードの調整に失敗しました"},
    {30009, "フォルダを含めず中のファイルをドラッグ＆ドロップしてください"},
    {30010, "削除してもよろしいですか\n※ 元に戻せませんのでご注意ください"},
    {30011, "削除に失敗しました。他で使用している可能性があります"},
    {30012, "フォルダの削除に失敗しました"},
    {30013, "既に同名のファイルがあり、作成できません\n名前を変更しますか"},
    {30014, "パスが見つかりません"},
    {30015, "一時ファイルの作成に失敗しました"},
    {30016, "【注意】\n マーカが設定されているファイルを直接編集すると\nマーカの位置がずれる場合があります"},
    {30017, "プロジェクトファイルが見つかりません\nこの一覧から削除しますか"},
    {30018, "ファイルの保存に失敗しました"},
    {30019, "ファイル形式が異なります"},
    {30020, "バージョンが異なります"},
    {30021, "作業フォルダの取得に失敗しました"},
    {30022, "サイズが大きすぎます"},
    {30023, "まだプロジェクトが開かれていません"},
    {30024, "フォルダの作成に失敗しました"},
    {30025, "ファイルオブジェクトの作成に失敗しました"},
    {30026, "ファイルのオープンに失敗しました"},
    {30027, "ファイルの読込みに失敗しました"},
    {30028, "プロパティグリッドの作成に失敗しました"},
    {30029, "このイメージタイプはセットできません"},
    {30030, "マーカテーブルの作成に失敗しました"},
    {30031, "このマーカの色をマーカ新規作成時の初期色に設定してもよろしいですか"},
    {30032, "PDFにして保存します\nマーカも付けますか\n\nマーカを付けずテキストのみ -「いいえ」\n中止-「キャンセル」"},
    {30033, "テキストファイル以外のファイルは処理できません"},
    {30034, "既に起動しているWordがあります"},
    {30035, "書き込み場所にアクセス権がない可能性があります\n管理者として実行するか、アクセス権のある場所に保存してください"},
    {30036, "ファイルの展開に失敗しました"},
    {30037, "値が範囲を超えました"},
    {30038, "ウィンドウの作成に失敗しました"},
    {30039, "ファイルの作成に失敗\nアクセス権がない可能性があります"},
    {30040, "WORD出力します\nマーカも付けますか\n\nマーカを付けずテキストのみ -「いいえ」\n中止-「キャンセル」"},
    {30041, "マーカテキストを更新してもよろしいですか"},
    {30042, "クリップボードテキストの取得に失敗しました"},
    {30043, "最大セット件数を超えました"},
    {30044, "文字数が既定の長さを超えています"},
    {30045, "テキストが入力されていません"},
    {30046, "変更に失敗しました。他で使用している可能性があります"},
    {30047, "複数のマーカに重なるマーカは設定できません"},
    {30048, "エクスプローラの起動に失敗しました"},
    {30049, "ステータス バーの作成に失敗しました"},
    {30050, "最大ヒット件数を超えました"},
    {30051, "リンクを設定してもよろしいですか\n\n※ 「環境設定」で、このメッセージを出さないようにできます"},
    {30052, "すでに同一方向へのリンクが存在します\nこのリンクを解除しますか\n\n※ 「環境設定」で、このメッセージを出さないようにできます"},
    {30053, "ファイル名に使用できない文字が使用されています"},
    {30054, "\n====================\n上記のようにマーカの位置と長さを変更してもよろしいですか"},
    {30055, "検索条件のセットに失敗しました"},
    {30056, "ビットマップの読み込みに失敗しました"},
    {30057, "ファイル情報の取得に失敗しました"},
    {30058, "このマーカのすべてのリンクを削除してもよろしいですか"},
    {30059, "削除範囲にマーカが含まれています\nマーカが削除され元に戻せませんが、処理を続けますか"},
    {30060, "キーテーブルの拡張に失敗しました"},
    {30061, "一括置換します\n\n順置換でよろしいですか\n逆置換-「いいえ」\n中止-「キャンセル」\n\n※ 「逆置換」とは、辞書に登録されている「置換前」と「置換後」の語句を逆にして置換する方法です"},
    {30062, "これ以上見つかりません\n最初に戻って検索しますか"},
    {30063, "これ以上見つかりません\n末尾から検索しますか"},
    {30064, "オープンしている文献がありません\n全文献を対象にしますか"},
    {30065, "置換語句がセットされていません"},
    {30066, "フォルダは開けません"},
    {30067, "既に登録されています"},
    {30068, "現在選択されている文字列は、検索語句と異なります"},
    {30069, "一括置換してよろしいですか"},
    {30070, "このファイルは開けません"},
    {30071, "一括置換を完了しました"},
    {30072, "既に起動しています"},
    {30073, "作業用ファイルのオープンに失敗しました"},
    {30074, "追加件数が制限を超えます\n途中までの追加になりますが処理を続けますか"},
    {30075, "Wordの起動に失敗\n\nWordがインストールされていないか\n現在のWordのバージョンに対応していません"},
    {30076, "PDFを保存しました\n保存場所を表示しますか"},
    {30077, "ファイルが見つかりません"},
    {30078, "以上の内容で、「主題」「副題」を一括追加してもよろしいですか"},
    {30079, "クリップボード内に追加できるテキストが見つかりません"},
    {30080, "「文献リスト」を右クリックし、メニューの「新しいフォルダ」でフォルダを作成し、そのフォルダにドラッグ＆ドロップしてください"},
    {30081, "変更を保存しますか"},
    {30082, "プリンタの初期化に失敗しました"},
    {30083, "削除してもよろしいですか\n※ 関係するリンクも削除されます\n元に戻せませんのでご注意ください"},
    {30084, "マーカを移動させてもよろしいですか"},
    {30085, "マーカはセットされていません"},
    {30086, "題名リストを Excelに出力しますか"},
    {30087, "位置交換に失敗しました"},
    {30088, "プリンタＤＣの取得に失敗"},
    {30089, "プリンタの列挙に失敗"},
    {30090, "このノードの設定をノード新規作成時の初期値に設定にしてもよろしいですか"},
    {30091, "初期値に設定しました"},
    {30092, "マーカ色も変更しますか\n中止-「キャンセル」"},
    {30093, "副題から副題へのリンクは設定できません"},
    {30094, "マーカ内は編集できません"},
    {30095, "置換辞書の追加に失敗しました"},
    {30096, "置換辞書の読み込みに失敗しました"},
    {30097, "置換辞書が不明です"},
    {30098, "登録してよろしいですか"},
    {30099, "置換辞書ファイルが見つかりません"},
    {30100, "行が選択されていません"},
    {30101, "チャートビュー内は検索できません"},
    {30102, "置換前後の語句が同じです"},
    {30103, "置換対象語句が見つかりません"},
    {30104, "検索語句をクリアしてもよろしいですか"},
    {30105, "該当する語句は見つかりません"},
    {30106, "既にセットされていますが、上書きしてもよろしいですか"},
    {30107, "このブックマークを解除してもよろしいですか"},
    {30108, "現在の文献は、チャートビューです\nテキストビューをアクティブにしてください"},
    {30109, "リボンメニューの初期化に失敗しました"},
    {30110, "「文献リスト」の直下に文献を追加することはできません"},
    {30111, "アクティブなウィンドウの取得に失敗しました"},
    {30112, "バックアップファイルの作成に失敗しました"},
    {30113, "ステータスバーに操作ガイドを表示するように設定しました"},
    {30114, "読込みサイズが違います"},
    {30165, "これ以上、セットできません"},
    {30173, "実行ファイルと同じ場所にＰＤＦファイルがありません"},
    {30174, "Manual"},
};
// clang-format on

} // namespace

TEST(MessageCatalogue, EveryNumberHasItsExactText)
{
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.number);
        const char* text = catalogueText(e.number);
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text, e.text);
    }
}

TEST(MessageCatalogue, HoldsNoOtherNumbers)
{
    std::vector<int> expected;
    for (const Expected& e : kExpected)
        expected.push_back(e.number);
    EXPECT_EQ(catalogueNumbers(), expected);
    for (int missing : {0, 99, 101, 30000, 30115, 30164, 30166, 30172, 30175})
        EXPECT_EQ(catalogueText(missing), nullptr) << missing;
}

TEST(MessageCatalogue, LineBreaksAreRealLineBreaks)
{
    // "\n" in the source would show as a backslash and an n.
    EXPECT_EQ(std::strchr(catalogueText(30005), '\\'), nullptr);
    EXPECT_STREQ(catalogueText(30054), "\n====================\n"
                                       "上記のようにマーカの位置と長さを変更してもよろしいですか");
}

TEST(ShowMessage, LeadingTextGoesInFrontOfTheCatalogueText)
{
    test::ScriptedMessages sink;
    sink.answer(Answer::No);
    // Marker text "abc" + separator + "を" (0x82 0xF0), the leading text of 30083.
    const Answer a = showMessage(sink, 30083, "abc\n====================\n\x82\xf0", style::yesNo);
    EXPECT_EQ(a, Answer::No);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].number, 30083);
    EXPECT_EQ(sink.shown[0].textUtf8, "abc\n====================\nを"
                                      "削除してもよろしいですか\n※ 関係するリンクも削除されます\n"
                                      "元に戻せませんのでご注意ください");
    EXPECT_EQ(sink.shown[0].style.icon, MessageIcon::Question);
    EXPECT_EQ(sink.shown[0].style.buttons, MessageButtons::YesNo);
}

TEST(ShowMessage, TwoByteLeadingTextIsConvertedNotCopied)
{
    // A path with 0x95 0x5C ("表") followed by a line break, as the open-failure messages use.
    test::ScriptedMessages sink;
    showMessage(sink, 30077,
                "doc\\\x95\x5C"
                "\n");
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].textUtf8, "doc\\表\nファイルが見つかりません");
}

TEST(ShowMessage, DefaultStyleIsWarningWithOk)
{
    test::ScriptedMessages sink;
    EXPECT_EQ(showMessage(sink, 30001), Answer::Ok);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].textUtf8, "メモリの確保に失敗しました");
    EXPECT_EQ(sink.shown[0].style.icon, MessageIcon::Warning);
    EXPECT_EQ(sink.shown[0].style.buttons, MessageButtons::Ok);
}

TEST(ShowMessage, NumberWithoutTextShowsNothing)
{
    test::ScriptedMessages sink;
    sink.answer(Answer::Yes);
    EXPECT_EQ(showMessage(sink, 30120, "lead", style::yesNo), Answer::None);
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(sink.script.size(), 1u); // the scripted answer was not used up
}

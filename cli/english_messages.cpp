#include "cli/english_messages.h"

namespace {

struct EnglishForm {
  const char* japanese;  // Shift-JIS, found anywhere in the message
  const char* english;
};

// Longer texts before the shorter ones they hold.
const EnglishForm kForms[] = {
    {"\x95\xdb\x91\xb6\x90\xe6\x83\x66\x83\x42\x83\x8c\x83\x4e\x83\x67\x83\x8a\x82\xaa\x82\xc8\x82\xa2\x81\x49",
     "the cache folder is missing"},                                                     // 保存先ディレクトリがない！
    {"\x83\x54\x81\x5b\x83\x6f\x82\xc9\x90\xda\x91\xb1\x81\x63", "connecting to the server"},  // サーバに接続…
    {"\x8c\x9f\x8d\xf5\x92\x86\x81\x63", "searching"},                                  // 検索中…
    {"\x8d\xed\x8f\x9c\x92\x86\x81\x63", "deleting"},                                   // 削除中…
    {"\x8a\x6d\x94\x46\x92\x86\x81\x63", "checking the cache"},                         // 確認中…
    {"\x8a\x6d\x94\x46OK!!", "every slot is present"},                                  // 確認OK!!
    {"\x94\x46\x8f\xd8\x92\x86\x81\x49", "signing in"},                                 // 認証中！
    {"\x95\xdb\x91\xb6\x8e\xb8\x94\x73\x81\x49", "could not save"},                     // 保存失敗！
    {"\x90\xda\x91\xb1\x8e\xb8\x94\x73\x81\x49", "connection failed"},                  // 接続失敗！
    {"\x91\x97\x90\x4d\x8e\xb8\x94\x73\x81\x49", "sending failed"},                     // 送信失敗！
    {"\x8e\xf3\x90\x4d\x8e\xb8\x94\x73\x81\x49", "receiving failed"},                   // 受信失敗！
    {"\x8e\xf3\x90\x4d\x92\x86\x81\x63", "receiving"},                                  // 受信中…
    {"\x83\x8c\x83\x57\x83\x85\x81\x5b\x83\x80\x81\x49", "resuming"},                   // レジューム！
    {"\x90\xda\x91\xb1\x92\x86\x81\x63", "connecting"},                                 // 接続中…
    {"\x83\x8a\x83\x67\x83\x89\x83\x43\x82\xdc\x82\xc5", "waiting to retry"},           // リトライまで
    {"\x92\x86\x92\x66\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd", "interrupted"},        // 中断されました
    {"\x88\xea\x97\x97\x8e\xe6\x93\xbe\x92\x86\x81\x63", "fetching the list"},          // 一覧取得中…
    {"\x83\x74\x83\x40\x83\x43\x83\x8b\x8e\xe6\x93\xbe\x92\x86\x81\x63", "fetching files"},  // ファイル取得中…
    {"\x91\x97\x90\x4d\x83\x47\x83\x89\x81\x5b\x81\x42", "sending error"},              // 送信エラー。
    {"\x8e\xf3\x90\x4d\x83\x47\x83\x89\x81\x5b\x81\x42", "receiving error"},            // 受信エラー。
    {"\x92\xca\x90\x4d\x83\x47\x83\x89\x81\x5b", "communication error"},                // 通信エラー
    // チャンネルか番組が減るため元の番組表を残しました:
    {"\x83\x60\x83\x83\x83\x93\x83\x6c\x83\x8b\x82\xa9\x94\xd4\x91\x67\x82\xaa\x8c\xb8\x82\xe9\x82\xbd"
     "\x82\xdf\x8c\xb3\x82\xcc\x94\xd4\x91\x67\x95\x5c\x82\xf0\x8e\x63\x82\xb5\x82\xdc\x82\xb5\x82\xbd",
     "these slots keep their tables: the new ones lack channels or programmes"},
    // XMLTVの文書は変わっていません
    {"XMLTV\x82\xcc\x95\xb6\x8f\x91\x82\xcd\x95\xcf\x82\xed\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1",
     "the XMLTV document has not changed"},
};

}  // namespace

std::string withEnglish(const std::string& cp932) {
  for (const EnglishForm& form : kForms) {
    if (cp932.find(form.japanese) != std::string::npos) return cp932 + " (" + form.english + ")";
  }
  return cp932;
}
